#include "tools/render_scene/gif_palette.h"

namespace {

constexpr int32_t kRedLevels = 6;
constexpr int32_t kGreenLevels = 7;
constexpr int32_t kBlueLevels = 6;
constexpr int32_t kCubeSize = kRedLevels * kGreenLevels * kBlueLevels;
constexpr int32_t kGreys[3] = {60, 120, 180};

// Level i of n, spread evenly from 0 to 255 and rounded.
int32_t LevelValue(int32_t i, int32_t n) {
  return (i * 255 + (n - 1) / 2) / (n - 1);
}

// The level of n nearest to `value`.
int32_t NearestLevel(int32_t value, int32_t n) {
  return (value * (n - 1) + 127) / 255;
}

int32_t CubeIndex(int32_t r, int32_t g, int32_t b) {
  return (r * kGreenLevels + g) * kBlueLevels + b;
}

int32_t SquaredDistance(int32_t r, int32_t g, int32_t b, int32_t r2, int32_t g2,
                        int32_t b2) {
  return (r - r2) * (r - r2) + (g - g2) * (g - g2) + (b - b2) * (b - b2);
}

}  // namespace

void FillGifPalette(GifColorType* palette) {
  for (int32_t r = 0; r < kRedLevels; ++r) {
    for (int32_t g = 0; g < kGreenLevels; ++g) {
      for (int32_t b = 0; b < kBlueLevels; ++b) {
        GifColorType& entry = palette[CubeIndex(r, g, b)];
        entry.Red = static_cast<GifByteType>(LevelValue(r, kRedLevels));
        entry.Green = static_cast<GifByteType>(LevelValue(g, kGreenLevels));
        entry.Blue = static_cast<GifByteType>(LevelValue(b, kBlueLevels));
      }
    }
  }
  for (int32_t i = 0; i < 3; ++i) {
    const auto grey = static_cast<GifByteType>(kGreys[i]);
    palette[kCubeSize + i] = GifColorType{grey, grey, grey};
  }
  palette[kGifUnchanged] = GifColorType{0, 0, 0};
}

uint8_t GifPaletteIndex(uint32_t pixel) {
  const int32_t red = static_cast<int32_t>((pixel >> 16) & 0xFFu);
  const int32_t green = static_cast<int32_t>((pixel >> 8) & 0xFFu);
  const int32_t blue = static_cast<int32_t>(pixel & 0xFFu);
  const int32_t r = NearestLevel(red, kRedLevels);
  const int32_t g = NearestLevel(green, kGreenLevels);
  const int32_t b = NearestLevel(blue, kBlueLevels);
  int32_t best = CubeIndex(r, g, b);
  int32_t bestDistance =
      SquaredDistance(red, green, blue, LevelValue(r, kRedLevels),
                      LevelValue(g, kGreenLevels), LevelValue(b, kBlueLevels));
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t distance =
        SquaredDistance(red, green, blue, kGreys[i], kGreys[i], kGreys[i]);
    if (distance < bestDistance) {
      best = kCubeSize + i;
      bestDistance = distance;
    }
  }
  return static_cast<uint8_t>(best);
}
