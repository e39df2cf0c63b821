#pragma once
// Three doubles, reachable by name (x, y, z) or by component number 0..2.

struct Vector3 {
  double x;
  double y;
  double z;

  double& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
  double operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
};
