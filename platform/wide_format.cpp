#include "platform/wide_format.h"

namespace platform {

namespace {

// Writes the decimal digits of `value` into `digits` (most significant
// first); returns how many.
int32_t DecimalDigits(int32_t value, wchar_t digits[12]) {
  // Widened so that the lowest int32 negates without overflow.
  int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
  wchar_t reversed[11];
  int32_t count = 0;
  do {
    reversed[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  int32_t length = 0;
  if (value < 0) digits[length++] = L'-';
  while (count > 0) digits[length++] = reversed[--count];
  return length;
}

}  // namespace

int32_t FormatWide(wchar_t* out, int32_t capacity, const wchar_t* format,
                   int32_t value) {
  if (out == nullptr || capacity <= 0) return 0;
  int32_t length = 0;
  auto put = [&](wchar_t c) {
    if (length < capacity - 1) out[length++] = c;
  };
  for (const wchar_t* f = format; f != nullptr && *f != L'\0'; ++f) {
    if (f[0] == L'%' && f[1] == L'd') {
      wchar_t digits[12];
      const int32_t count = DecimalDigits(value, digits);
      for (int32_t i = 0; i < count; ++i) put(digits[i]);
      ++f;
    } else if (f[0] == L'%' && f[1] == L'%') {
      put(L'%');
      ++f;
    } else {
      put(*f);
    }
  }
  out[length] = L'\0';
  return length;
}

}  // namespace platform
