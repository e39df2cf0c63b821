#include "tools/render_scene/frame_pattern.h"

namespace {

// Reads the field that starts at name[at] == '%'. Returns the characters it
// takes (2 for "%%" and "%d", 4 for "%0Nd"), or 0 when it is no known form.
// `width` is -1 for "%%", else the field's width.
size_t ReadField(const std::string& name, size_t at, int32_t* width) {
  const char next = at + 1 < name.size() ? name[at + 1] : '\0';
  if (next == '%') {
    *width = -1;
    return 2;
  }
  if (next == 'd') {
    *width = 0;
    return 2;
  }
  if (next == '0' && at + 3 < name.size() && name[at + 2] >= '1' &&
      name[at + 2] <= '9' && name[at + 3] == 'd') {
    *width = name[at + 2] - '0';
    return 4;
  }
  return 0;
}

}  // namespace

int32_t ParseFramePattern(const std::string& name, FramePattern* pattern,
                          std::string* problem) {
  *pattern = FramePattern{};
  std::string* text = &pattern->before;
  for (size_t at = 0; at < name.size();) {
    if (name[at] != '%') {
      *text += name[at++];
      continue;
    }
    int32_t width = 0;
    const size_t taken = ReadField(name, at, &width);
    if (taken == 0) {
      *problem = "a '%' must begin %d, %0Nd (N from 1 to 9) or %%";
      return 0;
    }
    at += taken;
    if (width < 0) {
      *text += '%';
      continue;
    }
    if (pattern->numbered) {
      *problem = "more than one frame number field (%d or %0Nd)";
      return 0;
    }
    pattern->numbered = 1;
    pattern->width = width;
    text = &pattern->after;
  }
  return 1;
}

std::string FrameFileName(const FramePattern& pattern, int32_t number) {
  if (!pattern.numbered) return pattern.before;
  std::string digits = std::to_string(number);
  if (static_cast<int32_t>(digits.size()) < pattern.width) {
    digits.insert(0, static_cast<size_t>(pattern.width) - digits.size(), '0');
  }
  return pattern.before + digits + pattern.after;
}
