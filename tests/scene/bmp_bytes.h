#pragma once
// Builds BMP files byte by byte, so tests can lie in any header field.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

struct BmpBytes {
  std::vector<uint8_t> bytes;

  void Put32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
  }
  void Put16(size_t at, uint16_t v) {
    bytes[at] = uint8_t(v);
    bytes[at + 1] = uint8_t(v >> 8);
  }
};

// A valid 24-bit bottom-up BMP; `bgr` holds the file's pixel bytes per row
// as stored (bottom row first), without padding.
inline BmpBytes MakeBmp(int32_t width, int32_t height,
                        const std::vector<uint8_t>& bgr) {
  const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
  BmpBytes b;
  b.bytes.assign(54 + stride * size_t(height), 0);
  b.bytes[0] = 'B';
  b.bytes[1] = 'M';
  b.Put32(2, uint32_t(b.bytes.size()));
  b.Put32(10, 54);
  b.Put32(14, 40);
  b.Put32(18, uint32_t(width));
  b.Put32(22, uint32_t(height));
  b.Put16(26, 1);
  b.Put16(28, 24);
  for (int32_t row = 0; row < height; ++row) {
    for (size_t i = 0; i < size_t(width) * 3; ++i) {
      b.bytes[54 + stride * row + i] = bgr[size_t(row) * width * 3 + i];
    }
  }
  return b;
}

inline void WriteFile(const std::filesystem::path& path,
                      const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// A fresh, empty folder for one test.
inline std::filesystem::path FreshFolder(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("renderer-test-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}
