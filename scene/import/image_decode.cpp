// Picks the decoder by the file's signature and applies the size limits.
#include "scene/import/image_decode.h"

#include <cstring>

namespace renderer {

bool ImageSizeAllowed(int64_t width, int64_t height, std::string* problem) {
  if (width <= 0 || height <= 0) {
    *problem = "the image is empty (" + std::to_string(width) + " x " +
               std::to_string(height) + ")";
    return false;
  }
  if (width > kMaxImageSide || height > kMaxImageSide ||
      width * height * 4 > kMaxImageBytes) {
    *problem = "the image is too big (" + std::to_string(width) + " x " +
               std::to_string(height) + "; at most 16384 on a side and " +
               "256 MiB decoded)";
    return false;
  }
  return true;
}

bool DecodeImage(const uint8_t* bytes, size_t length, DecodedImage* image,
                 std::string* problem) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (length >= 8 && std::memcmp(bytes, kPng, 8) == 0) {
    return DecodePng(bytes, length, image, problem);
  }
  if (length >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    return DecodeJpeg(bytes, length, image, problem);
  }
  if (length >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    return DecodeBmp(bytes, length, image, problem);
  }
  *problem = "not a PNG, JPEG or BMP image";
  return false;
}

}  // namespace renderer
