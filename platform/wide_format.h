#pragma once
// Wide text with one integer in it: a format whose "%d" becomes the number
// in decimal, for the FPS counter's line.
#include <cstdint>

namespace platform {

// Copies `format` into `out`, replacing "%d" with `value` in decimal and
// "%%" with '%'. Writes at most capacity - 1 characters and a terminating
// zero. Returns the number of characters written.
int32_t FormatWide(wchar_t* out, int32_t capacity, const wchar_t* format,
                   int32_t value);

}  // namespace platform
