// PPM or PNG, by the file name's ending.
#include "bench/peer-gl/peer_image.h"

#include <cstdio>

#include "testmodels/image_encode.h"

namespace peer {

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::vector<uint8_t> PpmBytes(const std::vector<uint32_t>& pixels,
                              int32_t width, int32_t height) {
  const std::string header = "P6\n" + std::to_string(width) + " " +
                             std::to_string(height) + "\n255\n";
  std::vector<uint8_t> bytes(header.begin(), header.end());
  for (uint32_t p : pixels) {
    bytes.insert(bytes.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
  }
  return bytes;
}

std::vector<uint8_t> PngBytes(const std::vector<uint32_t>& pixels,
                              int32_t width, int32_t height) {
  models::GenImage image;
  image.width = width;
  image.height = height;
  image.rgba.reserve(pixels.size() * 4);
  for (uint32_t p : pixels) {
    image.rgba.insert(image.rgba.end(),
                      {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), 255});
  }
  return models::EncodePng(image);
}

}  // namespace

bool WritePicture(const std::string& path, const std::vector<uint32_t>& pixels,
                  int32_t width, int32_t height) {
  const std::vector<uint8_t> bytes = EndsWith(path, ".png")
                                         ? PngBytes(pixels, width, height)
                                         : PpmBytes(pixels, width, height);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace peer
