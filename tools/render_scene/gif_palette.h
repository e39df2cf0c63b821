#pragma once
// The fixed palette animated GIFs are written with, and the mapping from a
// 0x00RRGGBB pixel to its entry.
//
// Entries 0-251: a 6 x 7 x 6 colour cube (six levels of red and blue, seven
// of green, to which the eye is most sensitive), levels spread evenly from 0
// to 255. Entries 252-254: greys 60, 120 and 180, between the cube's own
// black and white; 120 is the background grey, so the cleared client area
// is exact. Entry 255 is kept for "unchanged from the previous frame".
//
// One fixed palette rather than a palette per frame: it needs no analysis
// pass, costs the same for every frame, maps every colour the same way in
// every frame (so a still part of the picture keeps its entries, which the
// unchanged-pixel entry turns into long see-through runs), and the output
// depends on nothing but the pixels. The price is banding in smooth
// gradients, no dithering; the lossless WebP output keeps every pixel.
#include <gif_lib.h>

#include <cstdint>

constexpr int32_t kGifPaletteSize = 256;
constexpr uint8_t kGifUnchanged = 255;

// Fills the 256 palette entries (entry 255 black, never used as a colour).
void FillGifPalette(GifColorType* palette);

// The entry nearest to `pixel`: the nearest cube level per channel, unless
// one of the greys lies nearer (squared distance; ties keep the cube).
uint8_t GifPaletteIndex(uint32_t pixel);
