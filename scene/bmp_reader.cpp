// Reads uncompressed 24-bit BMP files into Texture records.
//
// Every number in the header is checked before it is used: the reader never
// reads past the end of the file and leaves the texture untouched whenever
// it refuses a file.
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "renderer/texture.h"

namespace renderer {

namespace {

constexpr size_t kHeaderBytes = 34;  // up to and including the compression

int32_t ReadInt32(const uint8_t* p) {
  uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
               uint32_t(p[3]) << 24;
  return int32_t(v);
}

uint16_t ReadUint16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// Bytes per stored row: three per pixel, padded to a multiple of four.
int64_t RowStride(int64_t width) {
  int64_t s = width * 3;
  if (s % 4 != 0) s = s + 4 - s % 4;
  return s;
}

struct BmpLayout {
  int32_t width;
  int32_t height;
  int64_t pixelOffset;
  int64_t stride;
};

// Checks the header and that every row lies inside the file.
bool ReadLayout(const uint8_t* bytes, size_t length, BmpLayout* layout) {
  if (bytes == nullptr || length < kHeaderBytes) return false;
  if (bytes[0] != 0x42 || bytes[1] != 0x4D) return false;
  const int32_t offset = ReadInt32(bytes + 10);
  const int32_t width = ReadInt32(bytes + 18);
  const int32_t height = ReadInt32(bytes + 22);
  if (ReadUint16(bytes + 28) != 24 || ReadInt32(bytes + 30) != 0) return false;
  if (offset < 0 || width <= 0 || height <= 0) return false;
  // Refuse images whose byte count cannot fit an int32.
  // Checked by division, so the check itself cannot overflow.
  if (width > std::numeric_limits<int32_t>::max() / 3 / height) return false;
  const int64_t stride = RowStride(width);
  const int64_t end = offset + stride * (height - 1) + int64_t(width) * 3;
  if (end > int64_t(length)) return false;
  *layout = {width, height, offset, stride};
  return true;
}

// Copies the rows bottom-up, blue-green-red becoming red-green-blue.
void CopyRows(const uint8_t* bytes, const BmpLayout& layout, uint8_t* texels) {
  const size_t rowBytes = size_t(layout.width) * 3;
  for (int32_t row = 0; row < layout.height; ++row) {
    const uint8_t* src =
        bytes + layout.pixelOffset + layout.stride * (layout.height - 1 - row);
    uint8_t* dst = texels + rowBytes * row;
    for (size_t i = 0; i < rowBytes; i += 3) {
      dst[i] = src[i + 2];
      dst[i + 1] = src[i + 1];
      dst[i + 2] = src[i];
    }
  }
}

}  // namespace

bool LoadBmpFromMemory(const uint8_t* bytes, size_t length, Texture& texture) {
  BmpLayout layout;
  if (!ReadLayout(bytes, length, &layout)) return false;
  std::vector<uint8_t> texels(size_t(layout.width) * size_t(layout.height) * 3);
  CopyRows(bytes, layout, texels.data());
  texture.height = layout.height;
  texture.width = layout.width;
  texture.texels = std::move(texels);
  return true;
}

bool LoadBmpTexture(const char* fileName, Texture& texture) {
  std::FILE* file = std::fopen(fileName, "rb");
  if (file == nullptr) return false;
  std::vector<uint8_t> bytes;
  bool complete = false;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long length = std::ftell(file);
    if (length >= 0 && length <= std::numeric_limits<int32_t>::max() &&
        std::fseek(file, 0, SEEK_SET) == 0) {
      bytes.resize(size_t(length));
      complete = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
  }
  std::fclose(file);
  if (!complete) return false;
  return LoadBmpFromMemory(bytes.data(), bytes.size(), texture);
}

}  // namespace renderer
