// Glyphs come from stb_easy_font, which builds each character from
// axis-aligned quads in a cell 9 units tall; each unit is drawn as a
// kGlyphScale square of pixels.
#include "platform/text_out.h"

#include <stb/stb_easy_font.h>

#include <cstring>

namespace platform {

namespace {

struct PixelBox {
  int64_t left;
  int64_t top;
  int64_t right;   // exclusive
  int64_t bottom;  // exclusive
};

char PrintableCharacter(wchar_t c) {
  return (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
}

int64_t AdvanceUnits(char c) {
  return stb_easy_font_charinfo[c - 32].advance & 15;
}

void FillBox(DeviceContext* dc, PixelBox box, uint32_t colour) {
  const int64_t rowLength =
      dc->width < dc->pitch / 4 ? dc->width : dc->pitch / 4;
  const int64_t left = box.left < 0 ? 0 : box.left;
  const int64_t top = box.top < 0 ? 0 : box.top;
  const int64_t right = box.right > rowLength ? rowLength : box.right;
  const int64_t bottom = box.bottom > dc->height ? dc->height : box.bottom;
  const int64_t stride = dc->pitch / 4;
  for (int64_t y = top; y < bottom; ++y) {
    uint32_t* row = dc->pixels + y * stride;
    for (int64_t x = left; x < right; ++x) row[x] = colour;
  }
}

// Draws the glyph of `c` with its cell's top-left corner at (x, y).
void DrawGlyph(DeviceContext* dc, int64_t x, int64_t y, char c) {
  char glyph[2] = {c, '\0'};
  // 64 bytes per quad; no glyph of the font has more than 11 quads.
  char vertices[64 * 16];
  const int quads = stb_easy_font_print(0.0f, 0.0f, glyph, nullptr, vertices,
                                        sizeof vertices);
  for (int q = 0; q < quads; ++q) {
    // Each vertex is x, y, z and a colour, 16 bytes; vertex 0 is the quad's
    // top-left corner and vertex 2 its bottom-right one.
    float topLeft[2];
    float bottomRight[2];
    std::memcpy(topLeft, vertices + q * 64, sizeof topLeft);
    std::memcpy(bottomRight, vertices + q * 64 + 32, sizeof bottomRight);
    const PixelBox box = {
        x + static_cast<int64_t>(topLeft[0]) * kGlyphScale,
        y + static_cast<int64_t>(topLeft[1]) * kGlyphScale,
        x + static_cast<int64_t>(bottomRight[0]) * kGlyphScale,
        y + static_cast<int64_t>(bottomRight[1]) * kGlyphScale};
    FillBox(dc, box, kTextColour);
  }
}

}  // namespace

int64_t TextWidth(const wchar_t* text, int32_t length) {
  int64_t units = 0;
  for (int32_t i = 0; text != nullptr && i < length; ++i) {
    units += AdvanceUnits(PrintableCharacter(text[i]));
  }
  return units * kGlyphScale;
}

int32_t TextOut(DeviceContext* dc, int32_t x, int32_t y, const wchar_t* text,
                int32_t length) {
  if (dc == nullptr || dc->pixels == nullptr) return 0;
  if (text == nullptr || length <= 0) return 1;
  const int64_t top = y;
  FillBox(dc, {x, top, x + TextWidth(text, length), top + kTextLineHeight},
          kTextBackground);
  int64_t penX = x;
  for (int32_t i = 0; i < length; ++i) {
    const char c = PrintableCharacter(text[i]);
    // Glyphs wholly outside the pixels cost nothing but the advance.
    if (penX < dc->width && penX + 16 * kGlyphScale > 0) {
      DrawGlyph(dc, penX, top, c);
    }
    penX += AdvanceUnits(c) * kGlyphScale;
  }
  return 1;
}

}  // namespace platform
