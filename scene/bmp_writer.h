#pragma once
// Writes 24-bit bottom-up BMP files that LoadBmpTexture reads back.
#include <cstdint>

// Writes `width` x `height` pixels given as 0x00RRGGBB values, rows top
// first, `rowStride` pixels apart. Returns 1 on success, 0 on failure.
int WriteBmp24(const char* fileName, const uint32_t* pixels, int32_t width,
               int32_t height, int32_t rowStride);
