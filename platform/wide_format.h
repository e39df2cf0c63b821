#pragma once
// Formats one integer into wide text, as the platform's wsprintf does for a
// format with a single "%d".
#include <cstdint>

namespace platform {

// Copies `format` into `out`, replacing "%d" with `value` in decimal and
// "%%" with '%'. Writes at most capacity - 1 characters and a terminating
// zero. Returns the number of characters written.
int32_t FormatWide(wchar_t* out, int32_t capacity, const wchar_t* format,
                   int32_t value);

}  // namespace platform
