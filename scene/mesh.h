#pragma once
// Meshes: vertices, triangles and lines, as the renderer consumes them.
#include <cstdint>

#include "scene/texture.h"
#include "scene/vector3.h"

// One model-space or camera-space vertex, in whole units.
struct IntVertex {
  int32_t x;
  int32_t y;
  int32_t z;
};

struct MeshTriangle {
  int32_t vertex[3];   // indices into the mesh's vertices
  int32_t colour[3];   // 0x00RRGGBB per corner; used when texture is null
  Texture* texture;    // not owned; null selects the untextured fill
  double uv[3][2];     // (u, v) per corner, in texels
};

struct MeshLine {
  int32_t from;
  int32_t to;
  int32_t fromColour;
  int32_t toColour;
};

struct Mesh {
  int32_t hasVertexVectors;
  int32_t vertexCount;
  int32_t lineCount;
  int32_t triangleCount;
  IntVertex* vertices;     // owned, vertexCount entries
  Vector3* vertexVectors;  // owned, vertexCount entries, or null
  MeshLine* lines;         // owned, lineCount entries, or null
  MeshTriangle* triangles; // owned, triangleCount entries
};
