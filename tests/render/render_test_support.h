#pragma once
// Shared helpers of the renderer's tests: guarded buffers that reveal stray
// writes, small meshes placed on objects, hashing and PNG pictures.
#include <cstdint>
#include <string>
#include <vector>

#include "render/clip.h"
#include "render/frame_target.h"
#include "render/render_context.h"
#include "scene/mesh.h"
#include "scene/texture.h"

constexpr uint32_t kGuardPixel = 0xDEADBEEFu;
constexpr uint32_t kFillPixel = 0x00123456u;
constexpr uint32_t kGuardDepthBits = 0x7F7FFFFEu;  // a float nobody writes

// A frame buffer inside a larger block: guard rows above and below and
// guard columns right of every row (the pitch is wider than the buffer).
// Bind() points the renderer's `frame` at it; windowRect is the buffer's
// rectangle unless changed afterwards.
struct GuardedFrame {
  GuardedFrame(int32_t width, int32_t height, int32_t guardColumns = 3,
               int32_t guardRows = 2);
  void Bind();
  bool Intact() const;  // every guard pixel still holds kGuardPixel
  uint32_t& At(int32_t x, int32_t y);
  int32_t CountNot(uint32_t value) const;  // pixels of the buffer != value
  void Fill(uint32_t value);                // the buffer, not the guards

  int32_t width, height, stride, guardRows;
  std::vector<uint32_t> block;
  uint32_t* pixels;
  int32_t pitch;
  Rect windowRect, clientRect;
  IntPoint clientCentre, bufferSize;
};

// A depth buffer of `entries` floats followed by a guard tail; swapped into
// the render context while it lives and swapped back afterwards.
struct GuardedDepth {
  explicit GuardedDepth(int64_t entries, int64_t guardEntries = 64);
  ~GuardedDepth();
  bool Intact() const;
  float* depth;
  std::vector<float> block;
  int64_t entries;
  float* savedBuffer;
  int64_t savedEntries;
};

// A span table of `rows` rows followed by guard rows, swapped in likewise.
struct GuardedSpanTable {
  explicit GuardedSpanTable(int32_t rows, int32_t guardRows = 8);
  ~GuardedSpanTable();
  bool Intact() const;
  std::vector<Span> block;
  int32_t rows;
  Span* savedTable;
  int32_t savedRows;
};

// A mesh whose arrays the test owns.
struct TestMesh {
  std::vector<IntVertex> vertices;
  std::vector<MeshTriangle> triangles;
  std::vector<MeshLine> lines;
  Mesh mesh;
  Mesh* Sync();  // points `mesh` at the vectors; returns it
};

MeshTriangle FlatTriangle(int32_t v0, int32_t v1, int32_t v2, uint32_t colour);
MeshTriangle TexturedTriangle(int32_t v0, int32_t v1, int32_t v2,
                              Texture* texture, const double uv[3][2]);

// Makes `count` fresh objects (identity, at (0, 0, 3200)).
void ResetObjects(int32_t count);

// Binds the mesh to object i at `position` (identity orientation) and
// reallocates the render buffers for the current objects.
void PlaceMesh(TestMesh* mesh, int32_t objectIndex, int32_t x, int32_t y,
               int32_t z);

void SetProjection(int32_t focalLength, int32_t nearZ, double centreX,
                   double centreY, int32_t left, int32_t top, int32_t right,
                   int32_t bottom);

// Depth buffer entry (x, y) with the current windowRect width as stride.
float DepthAt(int32_t x, int32_t y);
bool DepthIsClear(int32_t x, int32_t y);

uint64_t Fnv1a64(const void* data, size_t bytes, uint64_t hash = 0xcbf29ce484222325ull);

// An image of 0x00RRGGBB pixels, rows top first.
struct Image {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

Image CopyImage(const uint32_t* pixels, int64_t stride, int32_t width,
                int32_t height);
Image Downscale2x(const Image& image);  // each channel averaged over 2 x 2
bool WritePng(const std::string& path, const Image& image);
bool ReadPng(const std::string& path, Image* image);

// Pixels that differ shown red over a dimmed copy of `actual`; pixels only
// one image has count as differing.
Image DiffImage(const Image& expected, const Image& actual);

// A triangle corner at camera (x, y, z), projected with the render context.
ClipVertex ProjectedCorner(int32_t x, int32_t y, int32_t z, uint32_t colour = 0,
                           double u = 0, double v = 0);
ClippedTriangle MakeTriangle(const ClipVertex& a, const ClipVertex& b,
                             const ClipVertex& c, int32_t objectIndex = 0,
                             int32_t triangleIndex = 0);

// A texture whose texels the test owns; texel (c, r) defaults to
// red 16 c + 1, green 16 r + 2, blue 0x33.
struct TestTexture {
  TestTexture(int32_t width, int32_t height);
  void Set(int32_t column, int32_t row, uint32_t colour);
  static uint32_t Default(int32_t column, int32_t row);
  std::vector<uint8_t> bytes;
  Texture texture;
};
