#pragma once
// Writing the client area as an image file: PNG, 24-bit BMP or binary PPM.
#include <cstdint>
#include <string>

enum class ImageFormat { kNone, kPng, kBmp, kPpm };

// Pixels 0x00RRGGBB, rows top first, `rowStride` pixels apart.
struct PixelRect {
  const uint32_t* pixels;
  int32_t width;
  int32_t height;
  int32_t rowStride;
};

// The format an output file name's ending selects (.png, .bmp or .ppm, in
// any letter case), or kNone.
ImageFormat ImageFormatFor(const std::string& fileName);

// Each returns 1 when the whole file was written, 0 otherwise.
int32_t WritePng(const char* fileName, const PixelRect& image);
int32_t WritePpm(const char* fileName, const PixelRect& image);
int32_t WriteBmp(const char* fileName, const PixelRect& image);
int32_t WriteImage(const char* fileName, ImageFormat format,
                   const PixelRect& image);
