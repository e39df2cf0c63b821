#include "tools/render_scene/raw_dump.h"

#include <cstdio>
#include <cstring>
#include <type_traits>
#include <vector>

static_assert(sizeof(float) == 4, "depth entries are written as float32");

namespace {

void PutUint32(uint32_t value, uint8_t* out) {
  out[0] = static_cast<uint8_t>(value);
  out[1] = static_cast<uint8_t>(value >> 8);
  out[2] = static_cast<uint8_t>(value >> 16);
  out[3] = static_cast<uint8_t>(value >> 24);
}

// Writes `count` 32-bit words little-endian, a block at a time.
int32_t WriteWords(std::FILE* file, const uint32_t* words, size_t count) {
  std::vector<uint8_t> block(4 * 16384);
  for (size_t done = 0; done < count;) {
    const size_t chunk = count - done < 16384 ? count - done : 16384;
    for (size_t i = 0; i < chunk; ++i)
      PutUint32(words[done + i], &block[4 * i]);
    if (std::fwrite(block.data(), 4, chunk, file) != chunk) return 0;
    done += chunk;
  }
  return 1;
}

int32_t WriteFloats(std::FILE* file, const float* values, size_t count) {
  std::vector<uint32_t> bits(16384);
  for (size_t done = 0; done < count;) {
    const size_t chunk = count - done < 16384 ? count - done : 16384;
    std::memcpy(bits.data(), values + done, chunk * sizeof(float));
    if (!WriteWords(file, bits.data(), chunk)) return 0;
    done += chunk;
  }
  return 1;
}

}  // namespace

int32_t WriteRawDump(const char* fileName, const uint32_t* pixels,
                     const float* depth, int32_t width, int32_t height) {
  std::FILE* file = std::fopen(fileName, "wb");
  if (file == nullptr) return 0;
  uint8_t header[12] = {'R', 'F', 'R', 'M'};
  PutUint32(static_cast<uint32_t>(width), header + 4);
  PutUint32(static_cast<uint32_t>(height), header + 8);
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  int32_t written =
      std::fwrite(header, 1, sizeof header, file) == sizeof header;
  written = written && WriteWords(file, pixels, count);
  written = written && WriteFloats(file, depth, count);
  const int32_t closed = std::fclose(file) == 0;
  return written && closed;
}
