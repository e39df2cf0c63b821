// Draws the seven demo images.
#include "tools/make_textures/texture_art.h"

#include <cstddef>

namespace {

struct Style {
  int32_t width;
  int32_t height;
  uint32_t colour;  // base colour of the face
};

// Sizes mix squares and oblongs, powers of two and others; 127 and 99 need
// row padding in the BMP file.
const Style kStyles[7] = {
    {256, 256, 0x3060C0}, {200, 150, 0x30A050}, {127, 127, 0xC04040},
    {160, 100, 0xC0A020}, {128, 96, 0x8040B0},  {99, 77, 0x20A0A0},
    {96, 48, 0xE07020},
};

// 5 x 7 bitmaps of the numerals 1 to 7, one row per entry, bit 4 leftmost.
const uint8_t kDigits[7][7] = {
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
};

uint32_t Shade(uint32_t colour, int percent) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t c = (colour >> shift & 0xFF) * uint32_t(percent) / 100;
    out |= (c > 255 ? 255 : c) << shift;
  }
  return out;
}

void Fill(ArtImage* image, int x0, int y0, int x1, int y1, uint32_t colour) {
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (x >= 0 && y >= 0 && x < image->width && y < image->height) {
        image->pixels[std::size_t(y) * image->width + x] = colour;
      }
    }
  }
}

// A soft vertical gradient of the base colour.
void PaintBackground(ArtImage* image, uint32_t colour) {
  for (int y = 0; y < image->height; ++y) {
    Fill(image, 0, y, image->width, y + 1, Shade(colour, 60 + 60 * y / image->height));
  }
}

// The numeral, centred and as large as the image allows.
void PaintNumeral(ArtImage* image, int digit, uint32_t colour) {
  const int scale = (image->height * 6 / 10) / 7;
  const int left = (image->width - 5 * scale) / 2;
  const int top = (image->height - 7 * scale) / 2;
  for (int row = 0; row < 7; ++row) {
    for (int col = 0; col < 5; ++col) {
      if (kDigits[digit][row] >> (4 - col) & 1) {
        const int x = left + col * scale;
        const int y = top + row * scale;
        Fill(image, x, y, x + scale, y + scale, colour);
      }
    }
  }
}

// A black triangle in the top-left corner with a red square at its tip.
void PaintCornerMark(ArtImage* image) {
  const int size = image->height / 4;
  for (int y = 0; y < size; ++y) Fill(image, 0, y, size - y, y + 1, 0x000000);
  Fill(image, 2, 2, 2 + size / 3, 2 + size / 3, 0xFF0000);
}

void PaintFrame(ArtImage* image, int thickness, uint32_t colour) {
  const int w = image->width, h = image->height;
  Fill(image, 0, 0, w, thickness, colour);
  Fill(image, 0, h - thickness, w, h, colour);
  Fill(image, 0, 0, thickness, h, colour);
  Fill(image, w - thickness, 0, w, h, colour);
}

// Diagonal stripes with round pure-white holes: the holes are see-through
// on the fins, and the stripes show the texture sliding.
void PaintFin(ArtImage* image, uint32_t colour) {
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const bool stripe = ((x + y) / 12) % 2 == 0;
      const int cx = x % 24 - 12, cy = y % 24 - 12;
      uint32_t c = stripe ? colour : Shade(colour, 50);
      if (cx * cx + cy * cy < 36) c = 0xFFFFFF;
      image->pixels[std::size_t(y) * image->width + x] = c;
    }
  }
}

}  // namespace

ArtImage MakeDemoImage(int slot) {
  const Style& style = kStyles[slot];
  ArtImage image{style.width, style.height,
                 std::vector<uint32_t>(std::size_t(style.width) * style.height)};
  if (slot == 6) {
    PaintFin(&image, style.colour);
  } else {
    PaintBackground(&image, style.colour);
    PaintFrame(&image, 3, 0xFFFFFF);
  }
  PaintNumeral(&image, slot, slot == 6 ? 0x202020 : 0xF0F0F0);
  PaintCornerMark(&image);
  return image;
}
