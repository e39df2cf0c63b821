#pragma once
// Writing the client area as an image file: PNG, 24-bit BMP or binary PPM.
// WebP and GIF hold a whole sequence; animation_output.h writes them.
#include <cstdint>
#include <string>

enum class ImageFormat { kNone, kPng, kBmp, kPpm, kWebp, kGif };

// Pixels 0x00RRGGBB, rows top first, `rowStride` pixels apart.
struct PixelRect {
  const uint32_t* pixels;
  int32_t width;
  int32_t height;
  int32_t rowStride;
};

// The format an output file name's ending selects (.png, .bmp, .ppm, .webp
// or .gif, in any letter case), or kNone.
ImageFormat ImageFormatFor(const std::string& fileName);

// 1 for the formats that hold every frame of a run in one file.
int32_t IsAnimatedFormat(ImageFormat format);

// Each returns 1 when the whole file was written, 0 otherwise.
int32_t WritePng(const char* fileName, const PixelRect& image);
int32_t WritePpm(const char* fileName, const PixelRect& image);
int32_t WriteBmp(const char* fileName, const PixelRect& image);
// The still formats; 0 for an animated one.
int32_t WriteImage(const char* fileName, ImageFormat format,
                   const PixelRect& image);
