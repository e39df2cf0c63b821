// Line numbers of OBJ statements.
#include "scene/import/obj_lines.h"

#include <sstream>

namespace renderer {

namespace {

// Calls `visit(lineNumber, keyword, rest)` for each line until it returns
// true; returns that line number, or 0.
template <typename Visit>
size_t FindLine(const std::string& text, Visit visit) {
  std::istringstream in(text);
  std::string line;
  size_t number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (visit(keyword, words)) return number;
  }
  return 0;
}

}  // namespace

size_t ObjStatementLine(const std::string& text, const std::string& keyword,
                        size_t ordinal) {
  size_t seen = 0;
  return FindLine(text, [&](const std::string& word, std::istringstream&) {
    return word == keyword && seen++ == ordinal;
  });
}

std::string ObjLinesOnly(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword != "f" && keyword != "usemtl") out += line;
    out += '\n';
  }
  return out;
}

}  // namespace renderer
