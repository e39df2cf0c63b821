#pragma once
// The built-in model: a cube of side 1600 with four fins, and the fin scroll.
#include "scene/mesh.h"

constexpr int kModelVertexCount = 16;
constexpr int kModelTriangleCount = 20;
constexpr int kFirstFinTriangle = 12;

// The built-in model, once BuildModel has run; null before.
extern Mesh* builtinModel;

// Builds the built-in model from the texture slots' current sizes.
void BuildModel();

// Moves the fins' texture by 10 texels: u += 10 on every corner of
// triangles 12 to 19.
void ScrollFinTexture();
