#pragma once
// A vertex's key: what the drops before a triangle's setup need to know of
// each corner, worked out once per vertex after projection, so that a
// triangle's fate is a few integer steps over its corners' keys instead of
// the classification's and the row test's comparisons of doubles.
//
// Bits 0..24 hold row - top, where row is CeilAtLeast(y, top) held to at
// most bottom + 1 (top..bottom: the rows drawn), and the flags sit above.
// The span setup gives a triangle rows ceil(least y) .. ceil(greatest y) -
// 1 (clamped_ceil.h); the ceiling is monotonic, so those rows, cut to
// top..bottom, run from the least of its corners' rows to the greatest
// less one, and holding a row to bottom + 1 changes none of them. The flags
// of position are the viewport tests of the triangle classification
// (clip.h), comparisons strict, so a triangle all of whose corners share
// one is one the classification drops.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/clamped_ceil.h"
#include "render/workspace.h"
#include "renderer/mesh.h"
#include "renderer/render.h"

namespace renderer {

constexpr uint32_t kKeyRowBits = (uint32_t{1} << 25) - 1;
constexpr uint32_t kKeyAbove = uint32_t{1} << 25;       // y < viewport top
constexpr uint32_t kKeyBelow = uint32_t{1} << 26;       // y > viewport bottom
constexpr uint32_t kKeyNearer = uint32_t{1} << 27;      // camera z < nearZ
constexpr uint32_t kKeyHidden = uint32_t{1} << 28;      // camera z <= 1
constexpr uint32_t kKeyYNotNumber = uint32_t{1} << 29;  // rows unknown
constexpr uint32_t kKeyLeftOf = uint32_t{1} << 30;      // x < viewport left
constexpr uint32_t kKeyRightOf = uint32_t{1} << 31;     // x > viewport right
// Shared by every corner: the triangle is dropped.
constexpr uint32_t kKeyDropWhenAll =
    kKeyLeftOf | kKeyRightOf | kKeyAbove | kKeyBelow | kKeyNearer;

// Whether rows top..bottom fit a key (bottom >= top).
inline bool KeysHoldRows(int32_t top, int32_t bottom) {
  return bottom >= top && int64_t{bottom} - top + 1 < int64_t{kKeyRowBits};
}

// The key of a vertex projected at `p` with camera z `z`, for rows
// top..bottom (KeysHoldRows).
inline uint32_t VertexKey(int32_t top, int32_t bottom, const View& view,
                          const ProjectedVertex& p, int32_t z) {
  if (!p.visible) return kKeyHidden;
  uint32_t key = 0;
  if (p.screenX < double(view.viewportLeft)) key |= kKeyLeftOf;
  if (p.screenX > double(view.viewportRight)) key |= kKeyRightOf;
  if (p.screenY < double(view.viewportTop)) key |= kKeyAbove;
  if (p.screenY > double(view.viewportBottom)) key |= kKeyBelow;
  if (z < view.nearZ) key |= kKeyNearer;
  if (std::isnan(p.screenY)) return key | kKeyYNotNumber;
  const int64_t row =
      std::min<int64_t>(CeilAtLeast(p.screenY, top), int64_t{bottom} + 1);
  return key | uint32_t(row - top);
}

// A triangle's corners' keys taken together: flags any or all of them
// have, and its rows top + first .. top + end - 1 (none when first >= end).
struct CornerKeys {
  uint32_t any;
  uint32_t all;
  uint32_t first;
  uint32_t end;
};

// By value, so that they stay in registers (std::min's references do not).
inline uint32_t KeyLeast(uint32_t a, uint32_t b) { return b < a ? b : a; }
inline uint32_t KeyGreatest(uint32_t a, uint32_t b) { return a < b ? b : a; }

inline CornerKeys CornerKeysOf(const uint32_t* keys,
                               const MeshTriangle& triangle) {
  const uint32_t k0 = keys[triangle.vertex[0]];
  const uint32_t k1 = keys[triangle.vertex[1]];
  const uint32_t k2 = keys[triangle.vertex[2]];
  const uint32_t r0 = k0 & kKeyRowBits, r1 = k1 & kKeyRowBits;
  const uint32_t r2 = k2 & kKeyRowBits;
  return CornerKeys{k0 | k1 | k2, k0 & k1 & k2,
                    KeyLeast(KeyLeast(r0, r1), r2),
                    KeyGreatest(KeyGreatest(r0, r1), r2)};
}

// Whether the keys alone cannot place the triangle in rows: a hidden
// corner, a y not a number, or a flag every corner shares.
inline bool KeysAreOdd(const CornerKeys& k) {
  return ((k.any & (kKeyHidden | kKeyYNotNumber)) |
          (k.all & kKeyDropWhenAll)) != 0;
}

// For odd keys: whether the triangle is dropped whole (every corner
// hidden, or a flag of position shared), rather than left to the full
// checks (some corners hidden, or a y not a number).
inline bool OddKeysDrop(const CornerKeys& k) {
  if ((k.any & kKeyHidden) != 0) return (k.all & kKeyHidden) != 0;
  return (k.all & kKeyDropWhenAll) != 0;
}

// What a triangle of one band covering rows top..bottom comes to by its
// corners' keys.
enum class KeyedFate {
  kDraw,   // wholly visible, kept by the classification, rows reached
  kCheck,  // left to the full checks (DrawTriangle)
  kDrop,   // draws nothing
};

inline KeyedFate FateByKeys(const uint32_t* keys,
                            const MeshTriangle& triangle) {
  const CornerKeys k = CornerKeysOf(keys, triangle);
  if (KeysAreOdd(k)) {
    return OddKeysDrop(k) ? KeyedFate::kDrop : KeyedFate::kCheck;
  }
  return k.first < k.end ? KeyedFate::kDraw : KeyedFate::kDrop;
}

}  // namespace renderer
