#pragma once
// Wide text to UTF-8, for the window system's narrow interfaces.
#include <cstddef>

namespace platform {

// Writes `text` as UTF-8 into `out` (always terminated, cut at a character
// boundary when `capacity` is short). Code points that are not valid become
// '?'. Returns the number of bytes written, without the terminator.
size_t WideToUtf8(const wchar_t* text, char* out, size_t capacity);

}  // namespace platform
