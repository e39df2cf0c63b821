#pragma once
// Shared helpers of the renderer's tests: one rig holding the scene, view,
// frame target and workspace the tests draw with, guarded buffers that
// reveal stray writes, small meshes placed on objects, hashing and PNG
// pictures.
#include <cstdint>
#include <string>
#include <vector>

#include "render/clip.h"
#include "render/draw_area.h"
#include "render/fill_dispatch.h"
#include "render/one_band_pass.h"
#include "render/scene_steps.h"
#include "render/spans.h"
#include "render/workspace.h"
#include "renderer/renderer.h"
#include "tests/support/frame_hash.h"

using namespace renderer;

constexpr uint32_t kGuardPixel = 0xDEADBEEFu;
constexpr uint32_t kFillPixel = 0x00123456u;
constexpr uint32_t kGuardDepthBits = 0x7F7FFFFEu;  // a float nobody writes

struct TestMesh;

// The renderer as the tests drive it, one per test program: the scene, the
// view, the frame target (over a GuardedFrame and the rig's own depth
// buffer, or guarded depth) and the workspace. Meshes and textures the
// tests own are copied into the scene before every draw, so a test may
// change them after placing them.
struct TestRig {
  Scene scene;
  View view;
  FrameTarget target;
  Rect windowRect;           // the depth buffer's size and row stride
  std::vector<float> depth;  // the rig's own depth buffer
  WorkspacePtr workspace = MakeWorkspace();
  std::vector<TestMesh*> meshSources;          // scene.meshes[i]'s source
  std::vector<const Texture*> textureSources;  // scene.textures[i]'s source
};

TestRig& Rig();
Workspace& RigWorkspace();
WorkerScratch& RigScratch();  // worker 0's: the one the rig's context uses

// Copies the tests' meshes and textures into the rig's scene.
void SyncRigScene();

// The draw context of the rig's view, target and workspace, lit by object 0.
DrawContext RigContext();

// A frame buffer inside a larger block: guard rows above and below and
// guard columns right of every row (the pitch is wider than the buffer).
// Bind() points the rig's target at it and makes windowRect the buffer's
// rectangle unless it was changed beforehand.
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
  Rect windowRect;
};

// A depth buffer of `entries` floats followed by a guard tail; swapped into
// the rig's target while it lives and swapped back afterwards.
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

// A span table of `rows` rows followed by guard rows, swapped into the
// rig's scratch record likewise.
struct GuardedSpanTable {
  explicit GuardedSpanTable(int32_t rows, int32_t guardRows = 8);
  ~GuardedSpanTable();
  bool Intact() const;
  std::vector<Span> block;
  int32_t rows;
  Span* savedTable;
  int32_t savedRows;
};

// A mesh whose arrays the test owns; PlaceMesh puts it into the scene.
struct TestMesh {
  std::vector<IntVertex> vertices;
  std::vector<Vector3> vertexVectors;
  std::vector<MeshTriangle> triangles;
  std::vector<MeshLine> lines;
  std::vector<TriangleTexels> texels;
};

MeshTriangle FlatTriangle(int32_t v0, int32_t v1, int32_t v2, uint32_t colour);

// A triangle of `mesh` textured with `texture`, which the rig's scene takes
// over (as a copy refreshed before every draw); its texel coordinates are
// appended to mesh->texels.
MeshTriangle TexturedTriangle(TestMesh* mesh, int32_t v0, int32_t v1,
                              int32_t v2, const Texture* texture,
                              const double (&uv)[3][2]);

// Makes `count` fresh objects (identity, at (0, 0, 3200), no mesh) and
// forgets the placed meshes and textures.
void ResetObjects(int32_t count);

// Shows the mesh on object i at `position` (identity orientation) and
// allocates the render buffers for the current objects.
void PlaceMesh(TestMesh* mesh, int32_t objectIndex, int32_t x, int32_t y,
               int32_t z);

// The rig's depth buffer sized from windowRect ((W + 1) x (H + 1), reset),
// and the workspace grown to the scene and target.
void AllocateRenderBuffers();

void SetProjection(int32_t focalLength, int32_t nearZ, double centreX,
                   double centreY, int32_t left, int32_t top, int32_t right,
                   int32_t bottom);

// The rig's frame: the client clear, and the depth reset plus scene pass
// (without growing the workspace, so guarded tables stay in place).
void ClearFrame(int32_t lastRow, int32_t lastColumn);
void ClearZBuffer();
void RenderScene();

// The internals on the rig: object i's mesh and vertices this frame, and
// the clipper, transform, projection, span setup and fills on them.
ObjectFrame RigObject(int32_t objectIndex);
const MeshTriangle& RigTriangle(int32_t objectIndex, int32_t triangleIndex);
TriangleClass ClassifyTriangle(int32_t objectIndex, int32_t triangleIndex);
bool ClipTriangle(int32_t objectIndex, int32_t triangleIndex,
                  ClipResult* result);
ClipVertex MakeClipVertex(int32_t objectIndex, int32_t corner,
                          int32_t triangleIndex);
ClipVertex ClipEdge(int32_t objectIndex, int32_t a, int32_t b,
                    int32_t triangleIndex);
void TransformObject(int32_t objectIndex);
void ProjectVertices();
const IntVertex* TransformedVertices(int32_t objectIndex);
void SetupTriangleSpans(const ScreenPoint points[3]);
void FillFlatTriangle(const ClippedTriangle& triangle);
void FillTexturedTriangle(const ClippedTriangle& triangle);
void FillFlatTrianglePlain(const ClippedTriangle& triangle);
void FillTexturedTrianglePlain(const ClippedTriangle& triangle);
void DrawLine(uint32_t fromColour, uint32_t toColour, const Vector3& a,
              const Vector3& b);

// Depth buffer entry (x, y) with windowRect's width as stride.
float DepthAt(int32_t x, int32_t y);
bool DepthIsClear(int32_t x, int32_t y);

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

// A triangle corner at camera (x, y, z), projected with the rig's view.
ClipVertex ProjectedCorner(int32_t x, int32_t y, int32_t z, uint32_t colour = 0,
                           double u = 0, double v = 0);

// A clipped triangle as the clipper would hand it on for mesh triangle
// `triangleIndex` of object `objectIndex`: its texture (the test's own
// record) and the light at object 0.
ClippedTriangle MakeTriangle(const ClipVertex& a, const ClipVertex& b,
                             const ClipVertex& c, int32_t objectIndex = 0,
                             int32_t triangleIndex = 0);

// A texture the test owns; texel (c, r) defaults to red 16 c + 1,
// green 16 r + 2, blue 0x33.
struct TestTexture {
  TestTexture(int32_t width, int32_t height);
  void Set(int32_t column, int32_t row, uint32_t colour);
  static uint32_t Default(int32_t column, int32_t row);
  Texture texture;
};
