// The built-in model: a cube of side 1600 centred on the origin, and four
// fins standing out diagonally from its four edges parallel to the y axis.
#include <algorithm>

#include "renderer/demo.h"
#include "scene/demo_steps.h"

namespace renderer {

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
  int32_t slot;
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

// The image's size as the model is built; later reloads do not reach it.
IntPoint ImageSize(const std::vector<Texture>& textures, int32_t index) {
  if (index < 0 || size_t(index) >= textures.size()) return IntPoint{};
  const Texture& texture = textures[size_t(index)];
  return IntPoint{texture.width, texture.height};
}

}  // namespace

Mesh BuildModel(const std::vector<Texture>& textures, int32_t firstTexture) {
  Mesh mesh;
  mesh.vertices.assign(std::begin(kVertices), std::end(kVertices));
  mesh.triangles.reserve(kModelTriangleCount);
  mesh.texels.reserve(kModelTriangleCount);
  for (const Quad& quad : kQuads) {
    const int32_t texture = firstTexture + quad.slot;
    const IntPoint size = ImageSize(textures, texture);
    const double w = double(size.x);
    const double h = double(size.y);
    const double upper[3][2] = {{0, 0}, {w, 0}, {w, h}};
    const double lower[3][2] = {{0, 0}, {w, h}, {0, h}};
    AddTexturedTriangle(mesh, {quad.a, quad.b, quad.c}, texture, upper);
    AddTexturedTriangle(mesh, {quad.a, quad.c, quad.d}, texture, lower);
  }
  return mesh;
}

void ScrollFinTexture(Mesh& model) {
  const size_t end =
      std::min(model.triangles.size(), size_t{kModelTriangleCount});
  for (size_t t = kFirstFinTriangle; t < end; ++t) {
    const uint32_t texels = uint32_t(model.triangles[t].texels);
    if (texels >= model.texels.size()) continue;
    for (int corner = 0; corner < 3; ++corner) {
      model.texels[texels].uv[corner][0] += 10.0;
    }
  }
}

}  // namespace renderer
