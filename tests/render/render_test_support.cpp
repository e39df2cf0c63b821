// Shared helpers of the renderer's tests.
#include "render_test_support.h"

#include <png.h>

#include <bit>

#include "scene/scene_object.h"

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
  clientRect = Rect{0, 0, w, h};
  clientCentre = IntPoint{w >> 1, h >> 1};
  bufferSize = IntPoint{w, h};
}

void GuardedFrame::Bind() {
  frame.windowRect = &windowRect;
  frame.clientRect = &clientRect;
  frame.clientCentre = &clientCentre;
  frame.pixels = &pixels;
  frame.pitch = &pitch;
  frame.bufferSize = &bufferSize;
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
  savedBuffer = renderContext.zBuffer;
  savedEntries = renderContext.zBufferEntries;
  renderContext.zBuffer = depth;
  renderContext.zBufferEntries = entries;
  ClearZBuffer();
}

GuardedDepth::~GuardedDepth() {
  renderContext.zBuffer = savedBuffer;
  renderContext.zBufferEntries = savedEntries;
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
  savedTable = renderContext.spanTable;
  savedRows = renderContext.spanTableRows;
  renderContext.spanTable = block.data();
  renderContext.spanTableRows = rows;
}

GuardedSpanTable::~GuardedSpanTable() {
  renderContext.spanTable = savedTable;
  renderContext.spanTableRows = savedRows;
}

bool GuardedSpanTable::Intact() const {
  for (size_t i = size_t(rows); i < block.size(); ++i) {
    if (block[i].first != -77 || block[i].last != -77) return false;
  }
  return true;
}

Mesh* TestMesh::Sync() {
  mesh = Mesh{};
  mesh.vertexCount = int32_t(vertices.size());
  mesh.triangleCount = int32_t(triangles.size());
  mesh.lineCount = int32_t(lines.size());
  mesh.vertices = vertices.data();
  mesh.triangles = triangles.data();
  mesh.lines = lines.empty() ? nullptr : lines.data();
  return &mesh;
}

MeshTriangle FlatTriangle(int32_t v0, int32_t v1, int32_t v2, uint32_t colour) {
  MeshTriangle t{};
  t.vertex[0] = v0;
  t.vertex[1] = v1;
  t.vertex[2] = v2;
  for (int32_t& c : t.colour) c = int32_t(colour);
  return t;
}

MeshTriangle TexturedTriangle(int32_t v0, int32_t v1, int32_t v2,
                              Texture* texture, const double uv[3][2]) {
  MeshTriangle t = FlatTriangle(v0, v1, v2, 0);
  t.texture = texture;
  for (int i = 0; i < 3; ++i) {
    t.uv[i][0] = uv[i][0];
    t.uv[i][1] = uv[i][1];
  }
  return t;
}

void ResetObjects(int32_t count) { CreateSceneObjects(count); }

void PlaceMesh(TestMesh* mesh, int32_t objectIndex, int32_t x, int32_t y,
               int32_t z) {
  SceneObject* object = &sceneObjects[objectIndex];
  BindObjectMesh(object, mesh->Sync());
  object->position[0] = x;
  object->position[1] = y;
  object->position[2] = z;
  AllocateRenderBuffers(&renderContext);
}

void SetProjection(int32_t focalLength, int32_t nearZ, double centreX,
                   double centreY, int32_t left, int32_t top, int32_t right,
                   int32_t bottom) {
  renderContext.focalLength = focalLength;
  renderContext.nearZ = nearZ;
  renderContext.centreX = centreX;
  renderContext.centreY = centreY;
  renderContext.viewportLeft = left;
  renderContext.viewportTop = top;
  renderContext.viewportRight = right;
  renderContext.viewportBottom = bottom;
}

float DepthAt(int32_t x, int32_t y) {
  const int64_t stride = int64_t(frame.windowRect->right) - frame.windowRect->left;
  return renderContext.zBuffer[y * stride + x];
}

bool DepthIsClear(int32_t x, int32_t y) {
  return std::bit_cast<uint32_t>(DepthAt(x, y)) == kDepthClearBits;
}

uint64_t Fnv1a64(const void* data, size_t bytes, uint64_t hash) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < bytes; ++i) {
    hash ^= p[i];
    hash *= 0x100000001b3ull;
  }
  return hash;
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
  const double f = renderContext.focalLength;
  ClipVertex c{};
  c.screenX = double(x) * f / double(z) + renderContext.centreX;
  c.screenY = double(y) * f / double(z) + renderContext.centreY;
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
  return ClippedTriangle{{a, b, c}, objectIndex, triangleIndex};
}

TestTexture::TestTexture(int32_t width, int32_t height)
    : bytes(size_t(width) * size_t(height) * 3) {
  texture = Texture{width, height, int32_t(bytes.size()), bytes.data()};
  for (int32_t r = 0; r < height; ++r) {
    for (int32_t c = 0; c < width; ++c) Set(c, r, Default(c, r));
  }
}

void TestTexture::Set(int32_t column, int32_t row, uint32_t colour) {
  uint8_t* texel = &bytes[3 * (size_t(row) * texture.width + column)];
  texel[0] = uint8_t(colour >> 16);
  texel[1] = uint8_t(colour >> 8);
  texel[2] = uint8_t(colour);
}

uint32_t TestTexture::Default(int32_t column, int32_t row) {
  return (uint32_t(16 * column + 1) << 16) | (uint32_t(16 * row + 2) << 8) |
         0x33;
}
