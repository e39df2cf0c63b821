#pragma once
// Textures: decoded 24-bit images, the seven texture slots, and the BMP reader.
#include <cstddef>
#include <cstdint>

// One decoded image: three bytes per texel (red, green, blue), top row first,
// rows exactly width * 3 bytes apart. An empty texture has every field 0/null.
struct Texture {
  int32_t width;
  int32_t height;
  int32_t byteSize;  // always width * height * 3
  uint8_t* texels;   // owned, or null
};

constexpr int kTextureSlotCount = 7;

// The seven images of the built-in model, in load order.
extern Texture textureSlots[kTextureSlotCount];

// File names of the seven slots, e.g. "corvik.bmp".
extern const char* const kTextureFileNames[kTextureSlotCount];

// Folder tried after the working directory, relative to it.
extern const char* const kTextureFallbackFolder;  // "../../__pic/__face/"

// Reads an uncompressed, bottom-up, 24-bit BMP file into `texture`.
// Returns 1 on success; 0 when the file cannot be opened or is not a BMP the
// reader accepts, and then `texture` is left exactly as it was.
int LoadBmpTexture(const char* fileName, Texture* texture);

// The same, from bytes already in memory.
int LoadBmpFromMemory(const uint8_t* bytes, size_t length, Texture* texture);

// Fills the seven slots from the working directory (bare name, then the
// fallback folder), then makes pure white opaque in slots 0 to 5.
void LoadTextures();

// The same with `folder` standing for the working directory ("" or null: the
// working directory itself).
void LoadTexturesFrom(const char* folder);

// Turns every pure-white texel (255, 255, 255) into (255, 254, 255).
void MakeWhiteOpaque(Texture* texture);

// Releases the texels and empties the record.
void FreeTexture(Texture* texture);
