#include "platform/text_encoding.h"

#include <cstdint>

namespace platform {

namespace {

// Encodes one code point; returns its length in bytes.
size_t EncodeUtf8(uint32_t code, char bytes[4]) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = '?';
  if (code < 0x80) {
    bytes[0] = static_cast<char>(code);
    return 1;
  }
  if (code < 0x800) {
    bytes[0] = static_cast<char>(0xC0 | (code >> 6));
    bytes[1] = static_cast<char>(0x80 | (code & 0x3F));
    return 2;
  }
  if (code < 0x10000) {
    bytes[0] = static_cast<char>(0xE0 | (code >> 12));
    bytes[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | (code & 0x3F));
    return 3;
  }
  bytes[0] = static_cast<char>(0xF0 | (code >> 18));
  bytes[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
  bytes[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  bytes[3] = static_cast<char>(0x80 | (code & 0x3F));
  return 4;
}

}  // namespace

size_t WideToUtf8(const wchar_t* text, char* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return 0;
  size_t used = 0;
  for (; text != nullptr && *text != L'\0'; ++text) {
    char bytes[4];
    const size_t length = EncodeUtf8(static_cast<uint32_t>(*text), bytes);
    if (used + length + 1 > capacity) break;
    for (size_t i = 0; i < length; ++i) out[used++] = bytes[i];
  }
  out[used] = '\0';
  return used;
}

}  // namespace platform
