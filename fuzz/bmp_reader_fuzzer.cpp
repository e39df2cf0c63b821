// Fuzz target: the BMP reader on arbitrary bytes.
//
// Beyond "no crash", every accepted file is decoded a second time by a plain
// reference (texel by texel from the stored rows), a refused file must leave
// the texture exactly as it was, and the white adjustment must leave no pure
// white texel behind.
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "scene/texture.h"

namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
         uint32_t(p[3]) << 24;
}

// Texel (column, row) straight from the file: rows stored bottom-up,
// blue-green-red, padded to four bytes.
void CheckAgainstFile(const uint8_t* data, size_t size, const Texture& t) {
  FUZZ_CHECK(size >= 26 && data[0] == 'B' && data[1] == 'M');
  FUZZ_CHECK(int32_t(Le32(data + 18)) == t.width);
  FUZZ_CHECK(int32_t(Le32(data + 22)) == t.height);
  FUZZ_CHECK(t.width > 0 && t.height > 0 && t.texels != nullptr);
  FUZZ_CHECK(int64_t(t.width) * t.height * 3 == t.byteSize);
  const uint64_t offset = Le32(data + 10);
  const uint64_t stride = (uint64_t(t.width) * 3 + 3) / 4 * 4;
  for (int64_t row = 0; row < t.height; ++row) {
    const uint64_t fileRow = offset + stride * uint64_t(t.height - 1 - row);
    for (int64_t col = 0; col < t.width; ++col) {
      const uint64_t at = fileRow + uint64_t(col) * 3;
      FUZZ_CHECK(at + 3 <= size);
      const uint8_t* texel = t.texels + (row * t.width + col) * 3;
      FUZZ_CHECK(texel[0] == data[at + 2] && texel[1] == data[at + 1] &&
                 texel[2] == data[at]);
    }
  }
}

void CheckNoPureWhite(const Texture& t) {
  for (int32_t i = 0; i + 2 < t.byteSize; i += 3) {
    FUZZ_CHECK(!(t.texels[i] == 255 && t.texels[i + 1] == 255 &&
                 t.texels[i + 2] == 255));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Start from a loaded 1 x 1 image, so a refusal can be seen to leave it be
  // and an acceptance must release it.
  Texture texture{1, 1, 3, new uint8_t[3]{1, 2, 3}};
  const Texture before = texture;
  if (LoadBmpFromMemory(data, size, &texture) == 0) {
    FUZZ_CHECK(std::memcmp(&texture, &before, sizeof texture) == 0);
    FUZZ_CHECK(texture.texels[0] == 1 && texture.texels[1] == 2 &&
               texture.texels[2] == 3);
  } else {
    CheckAgainstFile(data, size, texture);
    MakeWhiteOpaque(&texture);
    CheckNoPureWhite(texture);
    // Loading again over a loaded image replaces it.
    FUZZ_CHECK(LoadBmpFromMemory(data, size, &texture) == 1);
    CheckAgainstFile(data, size, texture);
  }
  FreeTexture(&texture);
  FUZZ_CHECK(texture.texels == nullptr && texture.byteSize == 0);
  return 0;
}
