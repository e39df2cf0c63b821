// Model faces without a material, in each look's grey.
#include "renderer/model_looks.h"

namespace renderer {

void RecolourNoMaterialFaces(Mesh& mesh, uint32_t from, uint32_t to) {
  for (MeshTriangle& t : mesh.triangles) {
    if (t.texture != kNoTexture) continue;
    if (t.colour[0] != from || t.colour[1] != from || t.colour[2] != from) {
      continue;
    }
    t.colour[0] = t.colour[1] = t.colour[2] = to;
  }
}

}  // namespace renderer
