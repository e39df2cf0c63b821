#pragma once
// OBJ polygons cut into triangles: quads along their shorter diagonal,
// larger polygons into ears in their own plane.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "renderer/geometry.h"

namespace renderer {

// Most corners one OBJ polygon may have. Cutting ears costs at most a few
// times n² steps for n corners, and every corner takes at least two bytes
// of the file, so with n bounded the work per byte is bounded: reading a
// file costs time in proportion to its size. Larger polygons are refused
// (CheckObjText) before any work is spent on them.
constexpr size_t kMaxPolygonCorners = 4096;

// One triangle as three corner numbers of its polygon (0-based).
using CornerTriangle = std::array<uint32_t, 3>;

// Replaces `triangles` with the n - 2 triangles that cut the polygon whose
// corners, in the file's order, are at `corners` (3 <= n <=
// kMaxPolygonCorners). Each triangle keeps the polygon's corner order, so
// it faces the way the polygon does. A quad becomes (0, 1, 2), (0, 2, 3)
// when its diagonal 0-2 is the shorter (squared lengths compared), else
// (0, 1, 3), (1, 2, 3). Larger polygons are cut into ears, in the plane
// their area vector (Newell's sum) is most nearly facing; a polygon without
// area (corners on one line or all at one point), or the part left when no
// ear can be found (the polygon crosses itself), becomes a fan from its
// first remaining corner.
void SplitPolygon(const std::vector<Vector3>& corners,
                  std::vector<CornerTriangle>* triangles);

}  // namespace renderer
