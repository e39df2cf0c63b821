#include "tools/render_scene/image_writers.h"

#include <png.h>

#include <cctype>
#include <cstdio>
#include <vector>

#include "renderer/texture.h"

namespace {

// The image as packed red, green, blue bytes, rows top first.
std::vector<uint8_t> PackRgb(const PixelRect& image) {
  std::vector<uint8_t> rgb(static_cast<size_t>(image.width) *
                           static_cast<size_t>(image.height) * 3);
  size_t at = 0;
  for (int32_t row = 0; row < image.height; ++row) {
    const uint32_t* source =
        image.pixels + static_cast<size_t>(row) * image.rowStride;
    for (int32_t column = 0; column < image.width; ++column) {
      rgb[at++] = static_cast<uint8_t>(source[column] >> 16);
      rgb[at++] = static_cast<uint8_t>(source[column] >> 8);
      rgb[at++] = static_cast<uint8_t>(source[column]);
    }
  }
  return rgb;
}

}  // namespace

ImageFormat ImageFormatFor(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return ImageFormat::kNone;
  std::string ending = fileName.substr(dot);
  for (char& c : ending) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (ending == ".png") return ImageFormat::kPng;
  if (ending == ".bmp") return ImageFormat::kBmp;
  if (ending == ".ppm") return ImageFormat::kPpm;
  return ImageFormat::kNone;
}

int32_t WritePng(const char* fileName, const PixelRect& image) {
  const std::vector<uint8_t> rgb = PackRgb(image);
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  const int written = png_image_write_to_file(&png, fileName, 0, rgb.data(),
                                              image.width * 3, nullptr);
  png_image_free(&png);
  return written ? 1 : 0;
}

int32_t WritePpm(const char* fileName, const PixelRect& image) {
  const std::vector<uint8_t> rgb = PackRgb(image);
  std::FILE* file = std::fopen(fileName, "wb");
  if (file == nullptr) return 0;
  const int header =
      std::fprintf(file, "P6\n%d %d\n255\n", image.width, image.height);
  const size_t body = std::fwrite(rgb.data(), 1, rgb.size(), file);
  const int closed = std::fclose(file);
  return header > 0 && body == rgb.size() && closed == 0;
}

int32_t WriteBmp(const char* fileName, const PixelRect& image) {
  return renderer::WriteBmp24(fileName, image.pixels, image.width,
                              image.height, image.rowStride);
}

int32_t WriteImage(const char* fileName, ImageFormat format,
                   const PixelRect& image) {
  switch (format) {
    case ImageFormat::kPng:
      return WritePng(fileName, image);
    case ImageFormat::kBmp:
      return WriteBmp(fileName, image);
    case ImageFormat::kPpm:
      return WritePpm(fileName, image);
    case ImageFormat::kNone:
      break;
  }
  return 0;
}
