#pragma once
// Text drawn into a memory context's pixels: dark glyphs on an opaque white
// box, one fixed built-in font, the same pixels every time.
#include <cstdint>

#include "platform/drawing.h"

namespace platform {

constexpr uint32_t kTextColour = 0x00000000u;
constexpr uint32_t kTextBackground = 0x00FFFFFFu;
constexpr int32_t kTextLineHeight = 18;  // height of the white box
constexpr int32_t kGlyphScale = 2;       // pixels per font unit

// Draws `length` characters of `text` with the box's top-left corner at
// (x, y), into the memory context's pixels, clipped to them. Characters
// outside printable ASCII are drawn as '?'. Returns 1 when something was
// drawn or clipped away, 0 for a context without pixels.
int32_t TextOut(DeviceContext* dc, int32_t x, int32_t y, const wchar_t* text,
                int32_t length);

// Width in pixels of the box that TextOut draws for the text.
int64_t TextWidth(const wchar_t* text, int32_t length);

}  // namespace platform
