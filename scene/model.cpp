// The built-in model: a cube of side 1600 centred on the origin, and four
// fins standing out diagonally from its four edges parallel to the y axis.
#include "scene/model.h"

Mesh* builtinModel = nullptr;

namespace {

const IntVertex kVertices[kModelVertexCount] = {
    {-800, -800, -800},   {800, -800, -800},   {800, 800, -800},
    {-800, 800, -800},    {-800, -800, 800},   {800, -800, 800},
    {800, 800, 800},      {-800, 800, 800},    {-2400, -800, -2400},
    {-2400, 800, -2400},  {2400, -800, -2400}, {2400, 800, -2400},
    {2400, -800, 2400},   {2400, 800, 2400},   {-2400, -800, 2400},
    {-2400, 800, 2400},
};

// Each face and fin is a quadrilateral a, b, c, d split into the triangles
// (a, b, c) and (a, c, d); the image spans the whole quadrilateral.
struct Quad {
  int32_t a, b, c, d;
  int slot;
};

const Quad kQuads[kModelTriangleCount / 2] = {
    {0, 1, 2, 3, 0},    // face z = -800
    {1, 5, 6, 2, 1},    // face x = 800
    {5, 4, 7, 6, 2},    // face z = 800
    {4, 0, 3, 7, 3},    // face x = -800
    {4, 5, 1, 0, 4},    // face y = -800
    {3, 2, 6, 7, 5},    // face y = 800
    {0, 8, 9, 3, 6},    // fin on edge 0-3
    {1, 10, 11, 2, 6},  // fin on edge 1-2
    {5, 12, 13, 6, 6},  // fin on edge 5-6
    {4, 14, 15, 7, 6},  // fin on edge 4-7
};

void SetTriangle(MeshTriangle* t, int32_t v0, int32_t v1, int32_t v2,
                 Texture* texture, const double (&uv)[3][2]) {
  t->vertex[0] = v0;
  t->vertex[1] = v1;
  t->vertex[2] = v2;
  t->texture = texture;
  for (int i = 0; i < 3; ++i) {
    t->uv[i][0] = uv[i][0];
    t->uv[i][1] = uv[i][1];
  }
}

void FreeMesh(Mesh* mesh) {
  if (mesh == nullptr) return;
  delete[] mesh->vertices;
  delete[] mesh->vertexVectors;
  delete[] mesh->lines;
  delete[] mesh->triangles;
  delete mesh;
}

}  // namespace

void BuildModel() {
  Mesh* mesh = new Mesh{};
  mesh->vertexCount = kModelVertexCount;
  mesh->vertices = new IntVertex[kModelVertexCount];
  for (int i = 0; i < kModelVertexCount; ++i) mesh->vertices[i] = kVertices[i];

  mesh->triangleCount = kModelTriangleCount;
  mesh->triangles = new MeshTriangle[kModelTriangleCount]{};
  for (int q = 0; q < kModelTriangleCount / 2; ++q) {
    const Quad& quad = kQuads[q];
    Texture* texture = &textureSlots[quad.slot];
    // The image's size at build time; later reloads do not reach the model.
    const double w = double(texture->width);
    const double h = double(texture->height);
    const double upper[3][2] = {{0, 0}, {w, 0}, {w, h}};
    const double lower[3][2] = {{0, 0}, {w, h}, {0, h}};
    SetTriangle(&mesh->triangles[2 * q], quad.a, quad.b, quad.c, texture, upper);
    SetTriangle(&mesh->triangles[2 * q + 1], quad.a, quad.c, quad.d, texture,
                lower);
  }
  FreeMesh(builtinModel);
  builtinModel = mesh;
}

void ScrollFinTexture() {
  if (builtinModel == nullptr) return;
  for (int t = kFirstFinTriangle; t < kModelTriangleCount; ++t) {
    for (int corner = 0; corner < 3; ++corner) {
      builtinModel->triangles[t].uv[corner][0] += 10.0;
    }
  }
}
