#pragma once
// Numbers in model text (OBJ, MTL) read by our own strict rules: the
// whole word must be the number, and it must be one a double can hold.
#include <cstdint>
#include <string_view>

namespace renderer {

// A decimal number: an optional sign, digits with an optional point (at
// least one digit), an optional exponent (e or E, optional sign, digits).
// True with `value` (correctly rounded) when all of `word` is such a
// number and finite; a number too small for a double reads as zero. False
// for nan, inf, a number beyond the largest double, an empty word or any
// other character.
bool ReadFiniteNumber(std::string_view word, double* value);

// An OBJ index: an optional sign and decimal digits, nothing else. True
// with `index` when `word` is such; a magnitude beyond int64 reads as
// INT64_MAX (or -INT64_MAX), which no range check accepts.
bool ReadWholeNumber(std::string_view word, int64_t* index);

}  // namespace renderer
