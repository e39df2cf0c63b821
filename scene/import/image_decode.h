#pragma once
// Decoding model images (PNG, JPEG, 24-bit BMP) into textures.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "renderer/texture.h"

namespace renderer {

// Largest image accepted: each side at most this many texels...
constexpr int64_t kMaxImageSide = 16384;
// ...and at most this many bytes once decoded as four bytes a texel.
constexpr int64_t kMaxImageBytes = int64_t(256) << 20;

// A decoded image: red, green, blue in `rgb`, and, when the file has an
// alpha channel, one alpha byte per texel (same order) in `alpha`.
struct DecodedImage {
  Texture rgb;
  std::vector<uint8_t> alpha;
};

// Decodes PNG, JPEG or BMP bytes, told apart by their signatures. On failure
// returns false with `problem` saying what is wrong; `image` is then unusable.
bool DecodeImage(const uint8_t* bytes, size_t length, DecodedImage* image,
                 std::string* problem);

// The format decoders DecodeImage picks from.
bool DecodePng(const uint8_t* bytes, size_t length, DecodedImage* image,
               std::string* problem);
bool DecodeJpeg(const uint8_t* bytes, size_t length, DecodedImage* image,
                std::string* problem);
bool DecodeBmp(const uint8_t* bytes, size_t length, DecodedImage* image,
               std::string* problem);

// Checks width and height against the limits above; false with `problem`
// set when the image is empty or too big.
bool ImageSizeAllowed(int64_t width, int64_t height, std::string* problem);

}  // namespace renderer
