// The numbers and indices of OBJ and MTL text, read strictly.
#include "scene/import/obj_check.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "scene/import/model_files.h"
#include "scene/import/polygon_split.h"
#include "scene/import/text_numbers.h"

namespace renderer {

namespace {

using Words = std::vector<std::string_view>;

// The words of a line, split at spaces and tabs as tinyobjloader splits
// them, up to a word starting a # comment.
void SplitWords(std::string_view line, Words* words) {
  words->clear();
  size_t at = 0;
  while (at < line.size()) {
    const size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos || line[start] == '#') return;
    const size_t end = std::min(line.find_first_of(" \t", start), line.size());
    words->push_back(line.substr(start, end - start));
    at = end;
  }
}

// Calls `check(words, problem)` for each line (ended by \n, \r\n or \r, as
// tinyobjloader ends them) until it returns false; that line is `found`.
template <typename Check>
bool CheckLines(std::string_view text, TextProblem* found, Check check) {
  Words words;
  size_t number = 0, at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    ++number;
    SplitWords(text.substr(at, end - at), &words);
    if (!words.empty() && !check(words, &found->problem)) {
      found->line = number;
      return false;
    }
    at = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return true;
}

// Checks every number after the keyword; the first `keep` of them (0 when
// missing) are appended to `kept`.
bool CheckNumbers(const Words& words, const char* what, size_t keep,
                  std::vector<double>* kept, std::string* problem) {
  for (size_t i = 1; i < words.size(); ++i) {
    double value = 0;
    if (!ReadFiniteNumber(words[i], &value)) {
      *problem = std::string(what) + " " + Quoted(std::string(words[i])) +
                 " is not a finite number";
      return false;
    }
    if (i <= keep) kept->push_back(value);
  }
  for (size_t i = words.size(); i <= keep; ++i) kept->push_back(0);
  return true;
}


// One index of a corner against the `count` elements read so far.
bool CheckIndex(std::string_view word, size_t count, const char* what, const char* list,
                std::string* problem) {
  int64_t index = 0;
  if (!ReadWholeNumber(word, &index)) {
    *problem = std::string(what) + " " + Quoted(std::string(word)) + " is not a whole number";
    return false;
  }
  const uint64_t magnitude = index < 0 ? uint64_t(-index) : uint64_t(index);
  if (index != 0 && magnitude <= count) return true;
  *problem = std::string(what) + " " + std::string(word.substr(0, 40)) + " out of range (" +
             std::to_string(count) + " " + list + ")";
  return false;
}

// A corner: v, v/vt, v//vn or v/vt/vn.
bool CheckCorner(std::string_view word, const ObjNumbers& numbers, std::string* problem) {
  const size_t first = word.find('/');
  const size_t second = first == std::string_view::npos ? first : word.find('/', first + 1);
  const std::string_view v = word.substr(0, first);
  const std::string_view vt =
      first == std::string_view::npos ? "" : word.substr(first + 1, second - first - 1);
  const std::string_view vn = second == std::string_view::npos ? "" : word.substr(second + 1);
  const bool shaped = (first == std::string_view::npos || !vt.empty() || !vn.empty()) &&
                      (second == std::string_view::npos || !vn.empty()) &&
                      vn.find('/') == std::string_view::npos;
  if (!shaped) {
    *problem = "corner " + Quoted(std::string(word)) + " is not v, v/vt, v//vn or v/vt/vn";
    return false;
  }
  return CheckIndex(v, numbers.positions.size() / 3, "index", "vertices", problem) &&
         (vt.empty() || CheckIndex(vt, numbers.uvs.size() / 2, "texture coordinate index",
                                   "texture coordinates", problem)) &&
         (vn.empty() ||
          CheckIndex(vn, numbers.normals.size() / 3, "normal index", "normals", problem));
}

// kMaxPolygonCorners bounds the work of cutting a face into triangles;
// the limit is enforced here, before tinyobjloader stores the face.
bool CheckCorners(const Words& words, bool face, ObjNumbers* numbers,
                  std::string* problem) {
  if (face && words.size() - 1 > kMaxPolygonCorners) {
    *problem = "a face of " + std::to_string(words.size() - 1) + " corners (at most " +
               std::to_string(kMaxPolygonCorners) + " are read)";
    return false;
  }
  for (size_t i = 1; i < words.size(); ++i) {
    if (!CheckCorner(words[i], *numbers, problem)) return false;
  }
  // tinyobjloader leaves out faces of fewer than 3 corners.
  if (face && words.size() > 3) numbers->faceCorners.push_back(uint32_t(words.size() - 1));
  return true;
}

bool CheckObjLine(const Words& words, ObjNumbers* numbers, std::string* problem) {
  const std::string_view key = words[0];
  if (key == "v" || key == "vn") {
    if (words.size() < 4) {
      *problem = std::string(key == "v" ? "vertex" : "normal") + " needs 3 coordinates";
      return false;
    }
    return CheckNumbers(words, "coordinate", 3,
                        key == "v" ? &numbers->positions : &numbers->normals, problem);
  }
  if (key == "vt") {
    if (words.size() < 2) {
      *problem = "texture coordinate needs a number";
      return false;
    }
    return CheckNumbers(words, "texture coordinate", 2, &numbers->uvs, problem);
  }
  if (key == "f" || key == "l" || key == "p") {
    return CheckCorners(words, key == "f", numbers, problem);
  }
  return true;
}

bool CheckMtlLine(const Words& words, std::string* problem) {
  static constexpr std::string_view kNumbered[] = {
      "Ka", "Kd", "Ks", "Ke", "Kt", "Tf", "Ns", "Ni", "d", "Tr", "illum",
      "Pr", "Pm", "Ps", "Pc", "Pcr", "aniso", "anisor"};
  const std::string_view key = words[0];
  if (std::find(std::begin(kNumbered), std::end(kNumbered), key) == std::end(kNumbered)) {
    return true;
  }
  if (key == "Kd" && words.size() != 4) {
    *problem = "Kd needs 3 numbers (red, green, blue)";
    return false;
  }
  std::vector<double> unused;
  return CheckNumbers(words, (std::string(key) + " value").c_str(), 0, &unused, problem);
}

}  // namespace

bool CheckObjText(std::string_view text, ObjNumbers* numbers, TextProblem* found) {
  *numbers = ObjNumbers{};
  return CheckLines(text, found, [&](const Words& words, std::string* problem) {
    return CheckObjLine(words, numbers, problem);
  });
}

bool CheckMtlText(std::string_view text, TextProblem* found) {
  return CheckLines(text, found, CheckMtlLine);
}

}  // namespace renderer
