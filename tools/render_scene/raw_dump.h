#pragma once
// The raw dump: "RFRM", uint32 width and height, the whole frame buffer's
// pixels, then the first width x height depth entries as float32; all
// little-endian, rows top to bottom, no padding.
#include <cstdint>

// `pixels` and `depth` each hold width x height entries, rows `width` apart.
// Returns 1 when the whole file was written, 0 otherwise.
int32_t WriteRawDump(const char* fileName, const uint32_t* pixels,
                     const float* depth, int32_t width, int32_t height);
