// Text as the shell draws it: dark glyphs on an opaque white box, always the
// same pixels, never outside the pixels it was given.
#include "platform/text_out.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>

#include "tests/app/guarded_pixels.h"

namespace {

using namespace platform;

constexpr uint32_t kGrey = 0x787878u;

uint64_t HashArea(GuardedPixels& pixels, int32_t width, int32_t height) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a 64
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t value = pixels.At(x, y);
      for (int byte = 0; byte < 4; ++byte) {
        hash = (hash ^ ((value >> (8 * byte)) & 0xFFu)) * 1099511628211ull;
      }
    }
  }
  return hash;
}

int32_t Length(const wchar_t* text) { return int32_t(std::wcslen(text)); }

TEST(TextOut, DarkGlyphsOnAWhiteBoxAsWideAsTheText) {
  GuardedPixels pixels(240, 60, kGrey);
  const wchar_t* text = L" F - show FPS ";
  ASSERT_EQ(TextOut(pixels.dc(), 10, 35 - 30, text, Length(text)), 1);
  const int32_t width = int32_t(TextWidth(text, Length(text)));
  ASSERT_GT(width, 100);
  int32_t dark = 0;
  for (int32_t y = 0; y < 60; ++y) {
    for (int32_t x = 0; x < 240; ++x) {
      const bool inBox =
          x >= 10 && x < 10 + width && y >= 5 && y < 5 + kTextLineHeight;
      const uint32_t p = pixels.At(x, y);
      if (inBox) {
        EXPECT_TRUE(p == kTextBackground || p == kTextColour) << x << "," << y;
        dark += p == kTextColour;
      } else {
        EXPECT_EQ(p, kGrey) << x << "," << y;
      }
    }
  }
  EXPECT_GT(dark, 100);
  EXPECT_TRUE(pixels.GuardsIntact());
}

TEST(TextOut, TheSameTextAlwaysGivesTheSamePixels) {
  GuardedPixels pixels(260, 20, kGrey);
  const wchar_t* text = L" 1 - toggle this text ";
  TextOut(pixels.dc(), 0, 0, text, Length(text));
  const uint64_t first = HashArea(pixels, 260, 20);
  TextOut(pixels.dc(), 0, 0, text, Length(text));
  EXPECT_EQ(HashArea(pixels, 260, 20), first);
  // Pinned, so that any change to the glyphs shows.
  EXPECT_EQ(first, 5986829117089461381ull);
}

TEST(TextOut, CharactersOutsidePrintableAsciiDrawAsQuestionMarks) {
  GuardedPixels odd(40, 20, kGrey);
  GuardedPixels marks(40, 20, kGrey);
  TextOut(odd.dc(), 0, 0, L"\u00e9\x7f\x1f", 3);
  TextOut(marks.dc(), 0, 0, L"???", 3);
  EXPECT_EQ(HashArea(odd, 40, 20), HashArea(marks, 40, 20));
}

TEST(TextOut, StaysInsideThePixelsWhereverItIsPlaced) {
  const std::wstring longText(2000, L'W');
  const struct {
    int32_t x, y;
  } places[] = {{-7, -5},     {95, 36},      {-3000, 10},  {INT_MAX - 3, 0},
                {0, INT_MIN}, {INT_MIN, 20}, {10, INT_MAX}};
  for (const auto& place : places) {
    GuardedPixels pixels(100, 40, kGrey);
    TextOut(pixels.dc(), place.x, place.y, longText.c_str(),
            int32_t(longText.size()));
    EXPECT_TRUE(pixels.GuardsIntact()) << place.x << "," << place.y;
  }
  GuardedPixels corner(100, 40, kGrey);
  TextOut(corner.dc(), -7, -5, L"Hello", 5);
  EXPECT_GT(corner.Count(kTextColour), 0);
}

TEST(TextOut, NothingToDrawInto) {
  DeviceContext empty = {nullptr, nullptr, 0, 0, 0};
  EXPECT_EQ(TextOut(&empty, 0, 0, L"x", 1), 0);
  EXPECT_EQ(TextOut(nullptr, 0, 0, L"x", 1), 0);
}

TEST(FillWhite, CutToThePixels) {
  GuardedPixels pixels(50, 30, kGrey);
  FillWhite(pixels.dc(), 5000, 3000);
  EXPECT_EQ(pixels.Count(0x00FFFFFFu), 50 * 30);
  EXPECT_TRUE(pixels.GuardsIntact());
  FillWhite(pixels.dc(), -5, 10);
  EXPECT_TRUE(pixels.GuardsIntact());
}

}  // namespace
