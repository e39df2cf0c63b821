#pragma once
// What the clipper hands the fills: a triangle whose corners all lie at
// camera z >= 1, each with its screen position, camera position, vector,
// colour and texel coordinates.
#include <cstdint>

#include "renderer/scene.h"

namespace renderer {

// One triangle corner as the fills receive it.
struct ClipVertex {
  double screenX;
  double screenY;
  int32_t x;  // camera space
  int32_t y;
  int32_t z;  // >= 2 at a mesh corner, exactly 1 at a clip point
  Vector3 vector;
  uint32_t colour;  // 0x00RRGGBB
  double u;         // texels
  double v;
};

// Three corners, with what the fills need of the mesh triangle and the
// scene: its texture (null for the flat fill) and the light's position.
struct ClippedTriangle {
  ClipVertex corners[3];
  const Texture* texture;
  IntVertex light;
};

}  // namespace renderer
