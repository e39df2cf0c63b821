#pragma once
// What the image decoders' results must satisfy.
#include <string>

#include "fuzz/fuzz_check.h"
#include "scene/import/image_decode.h"

// Accepted: within the size limits with every texel, and alpha bytes only
// where `alphaAllowed`, one per texel. Refused: a reason.
inline void CheckImageResult(bool ok, const renderer::DecodedImage& image,
                             const std::string& problem, bool alphaAllowed) {
  if (!ok) {
    FUZZ_CHECK(!problem.empty());
    return;
  }
  const renderer::Texture& t = image.rgb;
  const size_t texels = size_t(t.width) * size_t(t.height);
  FUZZ_CHECK(t.width > 0 && t.height > 0 && t.width <= 16384 && t.height <= 16384);
  FUZZ_CHECK(t.texels.size() == texels * 3);
  FUZZ_CHECK(image.alpha.empty() || (alphaAllowed && image.alpha.size() == texels));
}
