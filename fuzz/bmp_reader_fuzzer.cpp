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
#include "renderer/texture.h"

using renderer::Texture;

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
  FUZZ_CHECK(t.width > 0 && t.height > 0);
  FUZZ_CHECK(int64_t(t.width) * t.height * 3 == int64_t(t.texels.size()));
  const uint64_t offset = Le32(data + 10);
  const uint64_t stride = (uint64_t(t.width) * 3 + 3) / 4 * 4;
  for (int64_t row = 0; row < t.height; ++row) {
    const uint64_t fileRow = offset + stride * uint64_t(t.height - 1 - row);
    for (int64_t col = 0; col < t.width; ++col) {
      const uint64_t at = fileRow + uint64_t(col) * 3;
      FUZZ_CHECK(at + 3 <= size);
      const uint8_t* texel = t.texels.data() + (row * t.width + col) * 3;
      FUZZ_CHECK(texel[0] == data[at + 2] && texel[1] == data[at + 1] &&
                 texel[2] == data[at]);
    }
  }
}

void CheckNoPureWhite(const Texture& t) {
  for (size_t i = 0; i + 2 < t.texels.size(); i += 3) {
    FUZZ_CHECK(!(t.texels[i] == 255 && t.texels[i + 1] == 255 &&
                 t.texels[i + 2] == 255));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Start from a loaded 1 x 1 image, so a refusal can be seen to leave it be
  // and an acceptance must release it.
  Texture texture{1, 1, {1, 2, 3}};
  const uint8_t* const texels = texture.texels.data();
  if (!renderer::LoadBmpFromMemory(data, size, texture)) {
    FUZZ_CHECK(texture.width == 1 && texture.height == 1);
    FUZZ_CHECK(texture.texels.data() == texels);
    FUZZ_CHECK(texture.texels == std::vector<uint8_t>({1, 2, 3}));
  } else {
    CheckAgainstFile(data, size, texture);
    renderer::MakeWhiteOpaque(texture);
    CheckNoPureWhite(texture);
    // Loading again over a loaded image replaces it.
    FUZZ_CHECK(renderer::LoadBmpFromMemory(data, size, texture));
    CheckAgainstFile(data, size, texture);
  }
  return 0;
}
