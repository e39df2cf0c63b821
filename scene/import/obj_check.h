#pragma once
// OBJ and MTL text checked by our own rules before tinyobjloader reads it.
// tinyobjloader turns "nan" into 0 and an index too large for an int into
// some other vertex; checked here first, every number and index that
// reaches the model is the one the file wrote, or the file is refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace renderer {

// The first problem found: its 1-based line and what is wrong there.
struct TextProblem {
  size_t line = 0;
  std::string problem;
};

// What the OBJ text holds, read as written: tinyobjloader's own
// conversion of numbers is not exact (and gives NaN for 0e999999), and it
// counts a face's corners in a byte.
struct ObjNumbers {
  std::vector<double> positions;  // x, y, z of each `v`
  std::vector<double> uvs;        // u, v of each `vt` (v 0 when missing)
  std::vector<double> normals;    // x, y, z of each `vn`
  std::vector<uint32_t> faceCorners;  // of each face of 3 or more corners
};

// True when every number of the `v`, `vt` and `vn` statements is finite
// (ReadFiniteNumber), `v` and `vn` have at least three, every corner of an
// `f`, `l` or `p` statement is v, v/vt, v//vn or v/vt/vn with each index
// naming an element read before it (1 to n, or -1 to -n counting back),
// and no face has more than kMaxPolygonCorners corners; `numbers` then
// holds what they say.
bool CheckObjText(std::string_view text, ObjNumbers* numbers, TextProblem* found);

// True when every value of the MTL colour and number statements (Ka, Kd,
// Ks, Ke, Kt, Tf, Ns, Ni, d, Tr, illum and the PBR ones) is a finite
// number, and Kd has three.
bool CheckMtlText(std::string_view text, TextProblem* found);

}  // namespace renderer
