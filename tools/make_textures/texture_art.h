#pragma once
// The seven demo images, drawn by our own code: each a colour of its own
// with a large numeral, a white frame and a corner mark in the top-left so
// that an upside-down or mirrored face shows at once. The fin image has
// pure-white holes and diagonal stripes that make its scrolling visible.
#include <cstdint>
#include <vector>

struct ArtImage {
  int32_t width;
  int32_t height;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
};

ArtImage MakeDemoImage(int slot);
