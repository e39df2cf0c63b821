// Writes 24-bit bottom-up BMP files.
#include <cstdio>
#include <vector>

#include "renderer/texture.h"

namespace renderer {

namespace {

void PutInt32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

// BITMAPFILEHEADER and BITMAPINFOHEADER for an uncompressed 24-bit image.
void FillHeader(uint8_t* h, int32_t width, int32_t height, uint32_t dataBytes) {
  h[0] = 'B';
  h[1] = 'M';
  PutInt32(h + 2, 54 + dataBytes);
  PutInt32(h + 10, 54);
  PutInt32(h + 14, 40);
  PutInt32(h + 18, uint32_t(width));
  PutInt32(h + 22, uint32_t(height));
  h[26] = 1;   // planes
  h[28] = 24;  // bits per pixel
  PutInt32(h + 34, dataBytes);
  PutInt32(h + 38, 2835);  // 72 dpi
  PutInt32(h + 42, 2835);
}

}  // namespace

bool WriteBmp24(const char* fileName, const uint32_t* pixels, int32_t width,
               int32_t height, int32_t rowStride) {
  if (width <= 0 || height <= 0 || rowStride < width) return false;
  const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
  std::vector<uint8_t> bytes(54 + stride * size_t(height), 0);
  FillHeader(bytes.data(), width, height, uint32_t(stride * size_t(height)));
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* src = pixels + size_t(rowStride) * size_t(y);
    uint8_t* dst = bytes.data() + 54 + stride * size_t(height - 1 - y);
    for (int32_t x = 0; x < width; ++x) {
      dst[3 * x] = uint8_t(src[x]);
      dst[3 * x + 1] = uint8_t(src[x] >> 8);
      dst[3 * x + 2] = uint8_t(src[x] >> 16);
    }
  }
  std::FILE* file = std::fopen(fileName, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

}  // namespace renderer
