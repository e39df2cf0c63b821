#pragma once
// Output names with a frame number in them: "frame-%04d.png" names one file
// per frame. A pattern holds exactly one number field, "%d" or "%0Nd" with N
// from 1 to 9; "%%" stands for a percent sign. Every other '%' is refused.
#include <cstdint>
#include <string>

struct FramePattern {
  std::string before;  // the text ahead of the number field, "%%" resolved
  std::string after;   // the text behind it, "%%" resolved
  int32_t numbered;    // 1 when the name holds a number field
  int32_t width;       // the field's zero-padded width, 0 for "%d"
};

// Reads `name`. Returns 1 with `pattern` set, or 0 with `problem` set to a
// phrase saying what is wrong (two number fields, an unknown '%' form).
// A name with no number field is a plain name: numbered 0, "%%" resolved.
int32_t ParseFramePattern(const std::string& name, FramePattern* pattern,
                          std::string* problem);

// The file name for frame `number` (not negative); for a plain name, the
// name itself.
std::string FrameFileName(const FramePattern& pattern, int32_t number);
