// Shared helpers of the renderer's tests.
#include "render_test_support.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/line.h"

TestRig& Rig() {
  static TestRig rig;
  return rig;
}

Workspace& RigWorkspace() { return *Rig().workspace; }

WorkerScratch& RigScratch() { return RigWorkspace().workers[0]; }

void SyncRigScene() {
  TestRig& rig = Rig();
  rig.scene.meshes.resize(rig.meshSources.size());
  for (size_t i = 0; i < rig.meshSources.size(); ++i) {
    const TestMesh& source = *rig.meshSources[i];
    Mesh& mesh = rig.scene.meshes[i];
    mesh.vertices = source.vertices;
    mesh.vertexVectors = source.vertexVectors;
    mesh.triangles = source.triangles;
    mesh.lines = source.lines;
    mesh.texels = source.texels;
  }
  rig.scene.textures.resize(rig.textureSources.size());
  for (size_t i = 0; i < rig.textureSources.size(); ++i) {
    rig.scene.textures[i] = *rig.textureSources[i];
  }
}

namespace {

IntVertex RigLight() {
  const std::vector<SceneObject>& objects = Rig().scene.objects;
  if (objects.empty()) return IntVertex{};
  const int32_t* p = objects[0].position;
  return IntVertex{p[0], p[1], p[2]};
}

}  // namespace

DrawContext RigContext() {
  TestRig& rig = Rig();
  return MakeDrawContext(rig.view, rig.target, *rig.workspace, RigLight());
}

GuardedFrame::GuardedFrame(int32_t w, int32_t h, int32_t guardColumns,
                           int32_t rowsOfGuard)
    : width(w), height(h), stride(w + guardColumns), guardRows(rowsOfGuard) {
  block.assign(size_t(stride) * size_t(h + 2 * rowsOfGuard), kGuardPixel);
  pixels = block.data() + size_t(stride) * size_t(rowsOfGuard);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) pixels[size_t(y) * stride + x] = kFillPixel;
  }
  pitch = stride * 4;
  windowRect = Rect{0, 0, w, h};
}

void GuardedFrame::Bind() {
  TestRig& rig = Rig();
  rig.target.pixels = pixels;
  rig.target.pitch = pitch;
  rig.target.width = width;
  rig.target.height = height;
  rig.target.clientRect = Rect{0, 0, width, height};
  rig.windowRect = windowRect;
  rig.target.depthStride = int64_t{windowRect.right} - windowRect.left;
}

bool GuardedFrame::Intact() const {
  const size_t rowStart = size_t(stride) * size_t(guardRows);
  for (size_t i = 0; i < block.size(); ++i) {
    const bool inside = i >= rowStart &&
                        i < rowStart + size_t(stride) * size_t(height) &&
                        int32_t((i - rowStart) % size_t(stride)) < width;
    if (!inside && block[i] != kGuardPixel) return false;
  }
  return true;
}

uint32_t& GuardedFrame::At(int32_t x, int32_t y) {
  return pixels[size_t(y) * size_t(stride) + size_t(x)];
}

void GuardedFrame::Fill(uint32_t value) {
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) At(x, y) = value;
  }
}

int32_t GuardedFrame::CountNot(uint32_t value) const {
  int32_t count = 0;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      count += pixels[size_t(y) * size_t(stride) + size_t(x)] != value;
    }
  }
  return count;
}

GuardedDepth::GuardedDepth(int64_t count, int64_t guardEntries)
    : entries(count) {
  block.assign(size_t(count + guardEntries),
               std::bit_cast<float>(kGuardDepthBits));
  depth = block.data();
  FrameTarget& target = Rig().target;
  savedBuffer = target.depth;
  savedEntries = target.depthEntries;
  target.depth = depth;
  target.depthEntries = entries;
  ::ClearZBuffer();
}

GuardedDepth::~GuardedDepth() {
  FrameTarget& target = Rig().target;
  target.depth = savedBuffer;
  target.depthEntries = savedEntries;
}

bool GuardedDepth::Intact() const {
  for (size_t i = size_t(entries); i < block.size(); ++i) {
    if (std::bit_cast<uint32_t>(block[i]) != kGuardDepthBits) return false;
  }
  return true;
}

GuardedSpanTable::GuardedSpanTable(int32_t count, int32_t guardRows)
    : rows(count) {
  block.assign(size_t(count + guardRows), Span{-77, -77});
  WorkerScratch& scratch = RigScratch();
  savedTable = scratch.spanTable;
  savedRows = scratch.spanTableRows;
  scratch.spanTable = block.data();
  scratch.spanTableRows = rows;
}

GuardedSpanTable::~GuardedSpanTable() {
  WorkerScratch& scratch = RigScratch();
  scratch.spanTable = savedTable;
  scratch.spanTableRows = savedRows;
}

bool GuardedSpanTable::Intact() const {
  for (size_t i = size_t(rows); i < block.size(); ++i) {
    if (block[i].first != -77 || block[i].last != -77) return false;
  }
  return true;
}

MeshTriangle FlatTriangle(int32_t v0, int32_t v1, int32_t v2, uint32_t colour) {
  MeshTriangle t;
  t.vertex[0] = v0;
  t.vertex[1] = v1;
  t.vertex[2] = v2;
  for (uint32_t& c : t.colour) c = colour;
  return t;
}

namespace {

int32_t RigTextureIndex(const Texture* texture) {
  std::vector<const Texture*>& sources = Rig().textureSources;
  const auto found = std::find(sources.begin(), sources.end(), texture);
  if (found != sources.end()) return int32_t(found - sources.begin());
  sources.push_back(texture);
  return int32_t(sources.size()) - 1;
}

}  // namespace

MeshTriangle TexturedTriangle(TestMesh* mesh, int32_t v0, int32_t v1,
                              int32_t v2, const Texture* texture,
                              const double (&uv)[3][2]) {
  MeshTriangle t = FlatTriangle(v0, v1, v2, 0);
  t.texture = RigTextureIndex(texture);
  t.texels = int32_t(mesh->texels.size());
  TriangleTexels& texels = mesh->texels.emplace_back();
  std::memcpy(texels.uv, uv, sizeof(texels.uv));
  return t;
}

void ResetObjects(int32_t count) {
  TestRig& rig = Rig();
  rig.scene = Scene{};
  rig.scene.objects.assign(size_t(count), SceneObject{});
  rig.meshSources.clear();
  rig.textureSources.clear();
}

void PlaceMesh(TestMesh* mesh, int32_t objectIndex, int32_t x, int32_t y,
               int32_t z) {
  TestRig& rig = Rig();
  std::vector<TestMesh*>& sources = rig.meshSources;
  auto found = std::find(sources.begin(), sources.end(), mesh);
  if (found == sources.end()) {
    sources.push_back(mesh);
    found = sources.end() - 1;
  }
  SceneObject& object = rig.scene.objects[size_t(objectIndex)];
  object = SceneObject{};
  object.mesh = int32_t(found - sources.begin());
  object.position[0] = x;
  object.position[1] = y;
  object.position[2] = z;
  AllocateRenderBuffers();
}

void AllocateRenderBuffers() {
  TestRig& rig = Rig();
  const int64_t width = std::max<int64_t>(
      int64_t{rig.windowRect.right} - rig.windowRect.left, 0);
  const int64_t height = std::max<int64_t>(
      int64_t{rig.windowRect.bottom} - rig.windowRect.top, 0);
  rig.depth.assign(size_t((width + 1) * (height + 1)),
                   std::bit_cast<float>(kDepthClearBits));
  rig.target.depth = rig.depth.data();
  rig.target.depthEntries = int64_t(rig.depth.size());
  SyncRigScene();
  const int32_t rows = int32_t(std::max<int64_t>(height + 1, 0));
  PrepareWorkspace(*rig.workspace, rig.scene, rows);
}

void SetProjection(int32_t focalLength, int32_t nearZ, double centreX,
                   double centreY, int32_t left, int32_t top, int32_t right,
                   int32_t bottom) {
  View& view = Rig().view;
  view.focalLength = focalLength;
  view.nearZ = nearZ;
  view.centreX = centreX;
  view.centreY = centreY;
  view.viewportLeft = left;
  view.viewportTop = top;
  view.viewportRight = right;
  view.viewportBottom = bottom;
}

void ClearFrame(int32_t lastRow, int32_t lastColumn) {
  renderer::ClearFrame(Rig().target, lastRow, lastColumn);
}

void ClearZBuffer() {
  renderer::ClearZBuffer(Rig().target, RowKernelsOf(RigWorkspace().fillPath),
                         RigScratch().counters);
}

void RenderScene() {
  SyncRigScene();
  DrawContext context = RigContext();
  DrawSceneOneBand(context, Rig().scene, Rig().target, RigWorkspace());
}

ObjectFrame RigObject(int32_t objectIndex) {
  SyncRigScene();
  const Scene& scene = Rig().scene;
  const Mesh& mesh =
      scene.meshes[size_t(scene.objects[size_t(objectIndex)].mesh)];
  const ObjectVertices& vertices =
      RigWorkspace().objects[size_t(objectIndex)];
  const bool vectors = !mesh.vertexVectors.empty();
  return ObjectFrame{mesh, vertices.camera.data(),
                     vectors ? vertices.vectors.data() : nullptr,
                     vertices.projected.data()};
}

const MeshTriangle& RigTriangle(int32_t objectIndex, int32_t triangleIndex) {
  return RigObject(objectIndex).mesh.triangles[size_t(triangleIndex)];
}

namespace {

const Texture* RigTexture(const MeshTriangle& triangle) {
  const std::vector<const Texture*>& sources = Rig().textureSources;
  if (triangle.texture < 0 || size_t(triangle.texture) >= sources.size()) {
    return nullptr;
  }
  return sources[size_t(triangle.texture)];
}

}  // namespace

TriangleClass ClassifyTriangle(int32_t objectIndex, int32_t triangleIndex) {
  return renderer::ClassifyTriangle(Rig().view, RigObject(objectIndex),
                                    RigTriangle(objectIndex, triangleIndex));
}

bool ClipTriangle(int32_t objectIndex, int32_t triangleIndex,
                  ClipResult* result) {
  const MeshTriangle& triangle = RigTriangle(objectIndex, triangleIndex);
  return renderer::ClipTriangle(RigContext(), RigObject(objectIndex), triangle,
                                RigTexture(triangle), result);
}

ClipVertex MakeClipVertex(int32_t objectIndex, int32_t corner,
                          int32_t triangleIndex) {
  return renderer::MakeClipVertex(RigObject(objectIndex),
                                  RigTriangle(objectIndex, triangleIndex),
                                  corner);
}

ClipVertex ClipEdge(int32_t objectIndex, int32_t a, int32_t b,
                    int32_t triangleIndex) {
  return renderer::ClipEdge(Rig().view, RigObject(objectIndex),
                            RigTriangle(objectIndex, triangleIndex), a, b);
}

void TransformObject(int32_t objectIndex) {
  const ObjectFrame object = RigObject(objectIndex);
  renderer::TransformObject(Rig().scene.objects[size_t(objectIndex)],
                            object.mesh,
                            &RigWorkspace().objects[size_t(objectIndex)]);
}

void ProjectVertices() {
  SyncRigScene();
  const Scene& scene = Rig().scene;
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, RigWorkspace(), i);
    if (mesh != nullptr) {
      renderer::ProjectVertices(Rig().view, *mesh, &RigWorkspace().objects[i]);
    }
  }
}

const IntVertex* TransformedVertices(int32_t objectIndex) {
  return RigWorkspace().objects[size_t(objectIndex)].camera.data();
}

void SetupTriangleSpans(const ScreenPoint points[3]) {
  DrawContext context = RigContext();
  renderer::SetupTriangleSpans(context, points);
}

namespace {

using Fill = void (*)(DrawContext&, const ClippedTriangle&);

void FillOnRig(Fill fill, const ClippedTriangle& triangle) {
  DrawContext context = RigContext();
  fill(context, triangle);
}

}  // namespace

void FillFlatTriangle(const ClippedTriangle& triangle) {
  FillOnRig(renderer::FillFlatTriangle, triangle);
}

void FillTexturedTriangle(const ClippedTriangle& triangle) {
  FillOnRig(renderer::FillTexturedTriangle, triangle);
}

void FillFlatTrianglePlain(const ClippedTriangle& triangle) {
  FillOnRig(renderer::FillFlatTrianglePlain, triangle);
}

void FillTexturedTrianglePlain(const ClippedTriangle& triangle) {
  FillOnRig(renderer::FillTexturedTrianglePlain, triangle);
}

void DrawLine(uint32_t fromColour, uint32_t toColour, const Vector3& a,
              const Vector3& b) {
  renderer::DrawLine(RigContext(), fromColour, toColour, a, b);
}

float DepthAt(int32_t x, int32_t y) {
  const TestRig& rig = Rig();
  const int64_t stride = int64_t{rig.windowRect.right} - rig.windowRect.left;
  return rig.target.depth[y * stride + x];
}

bool DepthIsClear(int32_t x, int32_t y) {
  return std::bit_cast<uint32_t>(DepthAt(x, y)) == kDepthClearBits;
}

Image CopyImage(const uint32_t* pixels, int64_t stride, int32_t width,
                int32_t height) {
  Image image;
  image.width = width;
  image.height = height;
  image.pixels.resize(size_t(width) * size_t(height));
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      image.pixels[size_t(y) * width + x] = pixels[y * stride + x];
    }
  }
  return image;
}

Image Downscale2x(const Image& image) {
  Image out;
  out.width = image.width / 2;
  out.height = image.height / 2;
  out.pixels.resize(size_t(out.width) * size_t(out.height));
  for (int32_t y = 0; y < out.height; ++y) {
    for (int32_t x = 0; x < out.width; ++x) {
      uint32_t sum[3] = {0, 0, 0};
      for (int32_t k = 0; k < 4; ++k) {
        const uint32_t p = image.pixels[size_t(2 * y + k / 2) * image.width +
                                        size_t(2 * x + k % 2)];
        for (int c = 0; c < 3; ++c) sum[c] += (p >> (16 - 8 * c)) & 0xFF;
      }
      out.pixels[size_t(y) * out.width + x] =
          ((sum[0] / 4) << 16) | ((sum[1] / 4) << 8) | (sum[2] / 4);
    }
  }
  return out;
}

bool WritePng(const std::string& path, const Image& image) {
  std::vector<png_byte> bytes(size_t(image.width) * size_t(image.height) * 3);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    bytes[3 * i + 0] = png_byte(image.pixels[i] >> 16);
    bytes[3 * i + 1] = png_byte(image.pixels[i] >> 8);
    bytes[3 * i + 2] = png_byte(image.pixels[i]);
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(image.width);
  png.height = png_uint_32(image.height);
  png.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&png, path.c_str(), 0, bytes.data(), 0,
                                 nullptr) != 0;
}

bool ReadPng(const std::string& path, Image* image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
  png.format = PNG_FORMAT_RGB;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  image->width = int32_t(png.width);
  image->height = int32_t(png.height);
  image->pixels.resize(size_t(png.width) * png.height);
  for (size_t i = 0; i < image->pixels.size(); ++i) {
    image->pixels[i] = (uint32_t(bytes[3 * i]) << 16) |
                       (uint32_t(bytes[3 * i + 1]) << 8) | bytes[3 * i + 2];
  }
  return true;
}

Image DiffImage(const Image& expected, const Image& actual) {
  Image out = actual;
  for (int32_t y = 0; y < actual.height; ++y) {
    for (int32_t x = 0; x < actual.width; ++x) {
      uint32_t& p = out.pixels[size_t(y) * actual.width + x];
      const bool inside = x < expected.width && y < expected.height;
      const bool same =
          inside && expected.pixels[size_t(y) * expected.width + x] == p;
      p = same ? (p >> 2) & 0x3F3F3F : 0xFF0000;
    }
  }
  return out;
}

ClipVertex ProjectedCorner(int32_t x, int32_t y, int32_t z, uint32_t colour,
                           double u, double v) {
  const View& view = Rig().view;
  const double f = view.focalLength;
  ClipVertex c{};
  c.screenX = double(x) * f / double(z) + view.centreX;
  c.screenY = double(y) * f / double(z) + view.centreY;
  c.x = x;
  c.y = y;
  c.z = z;
  c.colour = colour;
  c.u = u;
  c.v = v;
  return c;
}

ClippedTriangle MakeTriangle(const ClipVertex& a, const ClipVertex& b,
                             const ClipVertex& c, int32_t objectIndex,
                             int32_t triangleIndex) {
  const Texture* texture = nullptr;
  const Scene& scene = Rig().scene;
  if (size_t(objectIndex) < scene.objects.size()) {
    const int32_t mesh = scene.objects[size_t(objectIndex)].mesh;
    if (mesh >= 0 && size_t(mesh) < Rig().meshSources.size()) {
      const std::vector<MeshTriangle>& triangles =
          Rig().meshSources[size_t(mesh)]->triangles;
      if (size_t(triangleIndex) < triangles.size()) {
        texture = RigTexture(triangles[size_t(triangleIndex)]);
      }
    }
  }
  return ClippedTriangle{{a, b, c}, texture, RigLight()};
}

TestTexture::TestTexture(int32_t width, int32_t height) {
  texture.width = width;
  texture.height = height;
  texture.texels.resize(size_t(width) * size_t(height) * 3);
  for (int32_t r = 0; r < height; ++r) {
    for (int32_t c = 0; c < width; ++c) Set(c, r, Default(c, r));
  }
}

void TestTexture::Set(int32_t column, int32_t row, uint32_t colour) {
  uint8_t* texel = &texture.texels[3 * (size_t(row) * texture.width + column)];
  texel[0] = uint8_t(colour >> 16);
  texel[1] = uint8_t(colour >> 8);
  texel[2] = uint8_t(colour);
}

uint32_t TestTexture::Default(int32_t column, int32_t row) {
  return (uint32_t(16 * column + 1) << 16) | (uint32_t(16 * row + 2) << 8) |
         0x33;
}
