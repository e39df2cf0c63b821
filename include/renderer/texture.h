#pragma once
// Textures: decoded 24-bit images the textured fill samples.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace renderer {

// One image: three bytes per texel (red, green, blue), top row first, rows
// exactly width * 3 bytes apart. Pure white (255, 255, 255) texels are
// see-through. An empty texture (no texels) draws nothing.
struct Texture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> texels;
};

// A texture from width x height 0x00RRGGBB values, top row first; empty for
// sizes that are not positive.
Texture MakeTexture(int32_t width, int32_t height, const uint32_t* pixels);

// True when the texture has at least one texel and all of its bytes.
bool TextureIsUsable(const Texture& texture);

// Turns every pure-white texel into (255, 254, 255), so nothing is see-through.
void MakeWhiteOpaque(Texture& texture);

// Reads an uncompressed, bottom-up, 24-bit BMP file. On failure returns
// false and leaves `texture` exactly as it was.
bool LoadBmpTexture(const char* fileName, Texture& texture);

// The same, from bytes already in memory.
bool LoadBmpFromMemory(const uint8_t* bytes, size_t length, Texture& texture);

// Writes width x height 0x00RRGGBB pixels (rows `rowStride` pixels apart,
// top row first) as a 24-bit BMP that LoadBmpTexture reads back exactly.
bool WriteBmp24(const char* fileName, const uint32_t* pixels, int32_t width,
                int32_t height, int32_t rowStride);

}  // namespace renderer
