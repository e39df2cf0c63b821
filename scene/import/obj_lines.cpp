// Line numbers of OBJ statements.
#include "scene/import/obj_lines.h"

#include <cstdlib>
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

// Index `token` (before any '/' or after the first) against `count`, with
// `seen` statements read so far for negative indices.
bool IndexOutside(const std::string& token, size_t part, size_t count, size_t seen) {
  size_t start = 0;
  for (size_t k = 0; k < part; ++k) {
    start = token.find('/', start);
    if (start == std::string::npos) return false;
    ++start;
  }
  const std::string field = token.substr(start, token.find('/', start) - start);
  if (field.empty()) return false;
  const long long index = std::atoll(field.c_str());
  if (index < 0) return -index > static_cast<long long>(seen);
  return index == 0 || static_cast<unsigned long long>(index) > count;
}

}  // namespace

size_t ObjStatementLine(const std::string& text, const std::string& keyword,
                        size_t ordinal) {
  size_t seen = 0;
  return FindLine(text, [&](const std::string& word, std::istringstream&) {
    return word == keyword && seen++ == ordinal;
  });
}

size_t ObjBadIndexLine(const std::string& text, size_t vertexCount,
                       size_t uvCount) {
  size_t vertices = 0, uvs = 0;
  return FindLine(text, [&](const std::string& word, std::istringstream& rest) {
    if (word == "v") ++vertices;
    if (word == "vt") ++uvs;
    if (word != "f" && word != "l") return false;
    std::string token;
    while (rest >> token) {
      if (IndexOutside(token, 0, vertexCount, vertices) ||
          IndexOutside(token, 1, uvCount, uvs)) {
        return true;
      }
    }
    return false;
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
