// Fuzz target: the JPEG decoder on arbitrary bytes. An accepted image has
// every texel, no alpha, and keeps to the size limits; a refusal says why.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "scene/import/image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  renderer::DecodedImage image;
  std::string problem;
  if (!renderer::DecodeJpeg(data, size, &image, &problem)) {
    FUZZ_CHECK(!problem.empty());
    return 0;
  }
  const renderer::Texture& t = image.rgb;
  FUZZ_CHECK(t.width > 0 && t.height > 0 && t.width <= 16384 && t.height <= 16384);
  FUZZ_CHECK(t.texels.size() == size_t(t.width) * size_t(t.height) * 3);
  FUZZ_CHECK(image.alpha.empty());
  return 0;
}
