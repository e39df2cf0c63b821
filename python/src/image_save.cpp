// Frame.save: the colour packed as RGB rows, then written by libpng's
// simplified interface, libwebp's lossless encoder, the library's BMP
// writer or as a binary PPM.
#include <png.h>
#include <webp/encode.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "python/src/bindings.h"
#include "renderer/texture.h"

namespace renderer_py {

namespace {

std::vector<uint8_t> PackRgb(const uint32_t* pixels, int32_t width,
                             int32_t height, int32_t rowStride) {
  std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
  uint8_t* out = rgb.data();
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* row = pixels + size_t(y) * size_t(rowStride);
    for (int32_t x = 0; x < width; ++x, out += 3) {
      out[0] = uint8_t(row[x] >> 16);
      out[1] = uint8_t(row[x] >> 8);
      out[2] = uint8_t(row[x]);
    }
  }
  return rgb;
}

bool WriteBytes(const std::string& path, const std::string& header,
                const uint8_t* bytes, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
                       std::fwrite(bytes, 1, size, file) == size;
  return (std::fclose(file) == 0) && written;
}

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgb,
              int32_t width, int32_t height) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = PNG_FORMAT_RGB;
  const int ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(),
                                         width * 3, nullptr);
  png_image_free(&image);
  return ok != 0;
}

bool WriteWebp(const std::string& path, const std::vector<uint8_t>& rgb,
               int32_t width, int32_t height) {
  uint8_t* encoded = nullptr;
  const size_t size = WebPEncodeLosslessRGB(rgb.data(), width, height,
                                            width * 3, &encoded);
  const bool written = size > 0 && WriteBytes(path, "", encoded, size);
  WebPFree(encoded);
  return written;
}

std::string Ending(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return "";
  std::string ending = path.substr(dot);
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return ending;
}

}  // namespace

void SaveImage(const std::string& path, const uint32_t* pixels, int32_t width,
               int32_t height, int32_t rowStride) {
  const std::string ending = Ending(path);
  if (ending != ".png" && ending != ".bmp" && ending != ".ppm" && ending != ".webp") {
    throw py::value_error("path: " + path +
                          ": expected an ending .png, .bmp, .ppm or .webp");
  }
  bool written = false;
  errno = 0;
  {
    py::gil_scoped_release released;
    if (ending == ".bmp") {
      written = renderer::WriteBmp24(path.c_str(), pixels, width, height, rowStride);
    } else {
      const std::vector<uint8_t> rgb = PackRgb(pixels, width, height, rowStride);
      if (ending == ".png") written = WritePng(path, rgb, width, height);
      if (ending == ".webp") written = WriteWebp(path, rgb, width, height);
      if (ending == ".ppm") {
        const std::string header = "P6\n" + std::to_string(width) + " " +
                                   std::to_string(height) + "\n255\n";
        written = WriteBytes(path, header, rgb.data(), rgb.size());
      }
    }
  }
  if (!written) {
    const int code = errno != 0 ? errno : EIO;
    PyErr_SetObject(PyExc_OSError,
                    py::make_tuple(code, std::strerror(code), path).ptr());
    throw py::error_already_set();
  }
}

}  // namespace renderer_py
