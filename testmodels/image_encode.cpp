// PNG and JPEG encoding of generated images.
#include "testmodels/image_encode.h"

#include <png.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>  // after <cstdio>: it uses size_t and FILE

namespace models {

std::vector<uint8_t> EncodePng(const GenImage& image) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(image.width);
  png.height = png_uint_32(image.height);
  png.format = image.alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  std::vector<uint8_t> pixels;
  for (size_t i = 0; i < image.rgba.size(); i += 4) {
    pixels.insert(pixels.end(), &image.rgba[i], &image.rgba[i] + (image.alpha ? 4 : 3));
  }
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, pixels.data(), 0, nullptr);
  std::vector<uint8_t> out(size);
  if (png_image_write_to_memory(&png, out.data(), &size, 0, pixels.data(), 0,
                                nullptr) == 0) {
    std::fprintf(stderr, "make-models: PNG: %s\n", png.message);
    std::abort();
  }
  out.resize(size);
  return out;
}

std::vector<uint8_t> EncodeJpeg(const GenImage& image) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(image.width);
  info.image_height = JDIMENSION(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  for (int c = 0; c < 3; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(size_t(image.width) * 3);
  while (info.next_scanline < info.image_height) {
    const uint8_t* src = &image.rgba[size_t(info.next_scanline) * image.width * 4];
    for (int x = 0; x < image.width; ++x) std::memcpy(&row[size_t(x) * 3], src + x * 4, 3);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

}  // namespace models
