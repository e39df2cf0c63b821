#pragma once
// The small value types every part of the renderer shares.
#include <cstdint>

namespace renderer {

// Three doubles, by name (x, y, z) or by component number 0..2.
struct Vector3 {
  double x = 0;
  double y = 0;
  double z = 0;

  double& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
  double operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
};

// A model-space or camera-space vertex, in whole units.
struct IntVertex {
  int32_t x = 0;
  int32_t y = 0;
  int32_t z = 0;
};

// A rectangle: left and top inclusive, right and bottom exclusive.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// A point or a size in whole pixels.
struct IntPoint {
  int32_t x = 0;
  int32_t y = 0;
};

}  // namespace renderer
