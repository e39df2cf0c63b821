// PNG images through libpng's simplified reading interface, which reports
// errors in the image record instead of printing them or ending the process.
#include <png.h>

#include <cstring>

#include "scene/import/image_decode.h"

namespace renderer {

namespace {

// Splits RGBA texels into the texture's RGB and the separate alpha bytes.
void SplitAlpha(const std::vector<uint8_t>& rgba, DecodedImage* image) {
  const size_t count = rgba.size() / 4;
  image->rgb.texels.resize(count * 3);
  image->alpha.resize(count);
  for (size_t i = 0; i < count; ++i) {
    std::memcpy(&image->rgb.texels[i * 3], &rgba[i * 4], 3);
    image->alpha[i] = rgba[i * 4 + 3];
  }
}

}  // namespace

bool DecodePng(const uint8_t* bytes, size_t length, DecodedImage* image,
               std::string* problem) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&png, bytes, length) == 0) {
    *problem = std::string("PNG: ") + png.message;
    return false;
  }
  if (!ImageSizeAllowed(png.width, png.height, problem)) {
    png_image_free(&png);
    return false;
  }
  const bool hasAlpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  png.format = hasAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  std::vector<uint8_t> decoded(PNG_IMAGE_SIZE(png));
  if (png_image_finish_read(&png, nullptr, decoded.data(), 0, nullptr) == 0) {
    *problem = std::string("PNG: ") + png.message;
    png_image_free(&png);
    return false;
  }
  image->rgb.width = int32_t(png.width);
  image->rgb.height = int32_t(png.height);
  image->alpha.clear();
  if (hasAlpha) {
    SplitAlpha(decoded, image);
  } else {
    image->rgb.texels = std::move(decoded);
  }
  return true;
}

}  // namespace renderer
