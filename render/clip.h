#pragma once
// Near-plane clipping: each mesh triangle becomes zero, one or two
// triangles whose corners lie at camera z >= 1, handed to the fills.
#include <cstdint>

#include "scene/vector3.h"

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

struct ClippedTriangle {
  ClipVertex corners[3];
  int32_t objectIndex;
  int32_t triangleIndex;
};

struct ClipResult {
  int32_t count;  // valid entries of clipped: 0, 1 or 2
  ClippedTriangle clipped[2];
};

// Classifies, clips and fills one mesh triangle; untextured 1 selects the
// flat fill, 0 the textured fill, any other value draws nothing.
void DrawTriangle(int32_t objectIndex, int32_t triangleIndex,
                  int32_t untextured);

// Fills `result`; returns 1 when it produced at least one triangle.
int32_t ClipTriangle(int32_t objectIndex, int32_t triangleIndex,
                     ClipResult* result);

// 0: draw nothing; 1: crosses z = 1; 2: draw whole.
int32_t ClassifyTriangle(int32_t objectIndex, int32_t triangleIndex);

// Corner `corner` (0..2) of the triangle, as projected this frame.
ClipVertex MakeClipVertex(int32_t objectIndex, int32_t corner,
                          int32_t triangleIndex);

// The point where the edge from corner a to corner b meets z = 1. Its screen
// position is x * focalLength + centreX from the truncated x (likewise y),
// with the product exact in int64: past about 5 million units at focal
// length 400 it keeps growing instead of overflowing int32.
ClipVertex ClipEdge(int32_t objectIndex, int32_t a, int32_t b,
                    int32_t triangleIndex);
