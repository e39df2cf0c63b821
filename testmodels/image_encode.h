#pragma once
// Writing generated images as PNG (libpng) and JPEG (libjpeg).
#include <cstdint>
#include <vector>

#include "testmodels/model_description.h"

namespace models {

// PNG, RGB or RGBA as the image's `alpha` says.
std::vector<uint8_t> EncodePng(const GenImage& image);
// JPEG at quality 95 with no chroma subsampling (alpha dropped).
std::vector<uint8_t> EncodeJpeg(const GenImage& image);

}  // namespace models
