// Strict decimal numbers for the text model formats.
#include "scene/import/text_numbers.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace renderer {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips digits from `at`; returns how many there were.
size_t SkipDigits(std::string_view word, size_t* at) {
  const size_t start = *at;
  while (*at < word.size() && IsDigit(word[*at])) ++*at;
  return *at - start;
}

// The decimal exponent of the number's leading digit plus its written
// exponent, saturated: far above 308 for an overflow, far below for an
// underflow. `word` has passed the syntax check.
int64_t Magnitude(std::string_view word) {
  size_t at = word[0] == '+' || word[0] == '-' ? 1 : 0;
  int64_t lead = 0;
  bool seenPoint = false, seenDigit = false;
  for (; at < word.size() && word[at] != 'e' && word[at] != 'E'; ++at) {
    if (word[at] == '.') {
      seenPoint = true;
      continue;
    }
    if (seenDigit) {
      if (!seenPoint) ++lead;
    } else if (word[at] != '0') {
      seenDigit = true;
    } else if (seenPoint) {
      --lead;
    }
  }
  int64_t exponent = 0;
  if (at < word.size()) {
    ++at;
    const bool negative = word[at] == '-';
    if (word[at] == '+' || word[at] == '-') ++at;
    for (; at < word.size() && exponent < 1000000000000000; ++at) {
      exponent = exponent * 10 + (word[at] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return lead + exponent;
}

}  // namespace

bool ReadFiniteNumber(std::string_view word, double* value) {
  size_t at = 0;
  if (at < word.size() && (word[at] == '+' || word[at] == '-')) ++at;
  size_t digits = SkipDigits(word, &at);
  if (at < word.size() && word[at] == '.') {
    ++at;
    digits += SkipDigits(word, &at);
  }
  if (digits == 0) return false;
  if (at < word.size() && (word[at] == 'e' || word[at] == 'E')) {
    ++at;
    if (at < word.size() && (word[at] == '+' || word[at] == '-')) ++at;
    if (SkipDigits(word, &at) == 0) return false;
  }
  if (at != word.size()) return false;
  // from_chars takes no leading '+'.
  const size_t from = word[0] == '+' ? 1 : 0;
  double read = 0;
  const auto [end, ec] = std::from_chars(word.data() + from, word.data() + word.size(), read);
  if (ec == std::errc::result_out_of_range) {
    if (Magnitude(word) > 0) return false;  // beyond the largest double
    read = word[0] == '-' ? -0.0 : 0.0;    // below the smallest: zero
  } else if (ec != std::errc() || end != word.data() + word.size()) {
    return false;
  }
  if (!std::isfinite(read)) return false;
  *value = read;
  return true;
}

bool ReadWholeNumber(std::string_view word, int64_t* index) {
  size_t at = 0;
  const bool negative = !word.empty() && word[0] == '-';
  if (!word.empty() && (word[0] == '+' || word[0] == '-')) ++at;
  if (at == word.size()) return false;
  int64_t magnitude = 0;
  for (; at < word.size(); ++at) {
    if (!IsDigit(word[at])) return false;
    const int digit = word[at] - '0';
    magnitude = magnitude > (INT64_MAX - digit) / 10 ? INT64_MAX : magnitude * 10 + digit;
  }
  *index = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace renderer
