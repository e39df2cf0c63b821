// Fuzz target: the JPEG decoder on arbitrary bytes. An accepted image has
// every texel and no alpha and keeps to the size limits; a refusal says why.
#include <cstdint>
#include <string>

#include "fuzz/image_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  renderer::DecodedImage image;
  std::string problem;
  const bool ok = renderer::DecodeJpeg(data, size, &image, &problem);
  CheckImageResult(ok, image, problem, false);
  return 0;
}
