// From the readers' collected primitives to one renderer mesh.
#include "scene/import/model_mesh.h"

#include <algorithm>
#include <cmath>

namespace renderer {

namespace {

constexpr double kLargestSide = 1600.0;
constexpr uint32_t kUnused = 0xFFFFFFFFu;

struct Box {
  Vector3 low{INFINITY, INFINITY, INFINITY};
  Vector3 high{-INFINITY, -INFINITY, -INFINITY};
};

// Marks used positions (new index kUnused -> 0) and bounds them.
Box BoundUsed(const ModelMesh& model, std::vector<uint32_t>* newIndex) {
  Box box;
  auto use = [&](uint32_t i) {
    if ((*newIndex)[i] != kUnused) return;
    (*newIndex)[i] = 0;
    for (int a = 0; a < 3; ++a) {
      box.low[a] = std::min(box.low[a], model.positions[i][a]);
      box.high[a] = std::max(box.high[a], model.positions[i][a]);
    }
  };
  for (const ModelTriangle& t : model.triangles) {
    for (uint32_t v : t.vertex) use(v);
  }
  for (const MeshLine& l : model.lines) {
    use(uint32_t(l.from));
    use(uint32_t(l.to));
  }
  return box;
}

}  // namespace

bool FinishModelMesh(const ModelMesh& model, Mesh* mesh, std::string* problem) {
  if (model.triangles.empty() && model.lines.empty()) {
    *problem = "the model has no triangles or lines to draw";
    return false;
  }
  std::vector<uint32_t> newIndex(model.positions.size(), kUnused);
  const Box box = BoundUsed(model, &newIndex);
  double largest = 0;
  Vector3 centre;
  for (int a = 0; a < 3; ++a) {
    const double side = box.high[a] - box.low[a];
    if (!std::isfinite(side)) {
      *problem = "the model's extent is not a finite number";
      return false;
    }
    largest = std::max(largest, side);
    centre[a] = box.low[a] + side / 2;
  }
  const double scale = largest > 0 ? kLargestSide / largest : 0.0;
  const double flip[3] = {1, -1, -1};
  mesh->vertices.clear();
  mesh->vertexVectors.clear();
  for (size_t i = 0; i < model.positions.size(); ++i) {
    if (newIndex[i] == kUnused) continue;
    newIndex[i] = uint32_t(mesh->vertices.size());
    int32_t c[3];
    for (int a = 0; a < 3; ++a) {
      c[a] = int32_t(std::round((model.positions[i][a] - centre[a]) * scale *
                                flip[a]));
    }
    mesh->vertices.push_back({c[0], c[1], c[2]});
  }
  mesh->triangles.resize(model.triangles.size());
  // Corners 0, 2, 1: negating y and z is a proper turn, which keeps the
  // counter-clockwise side's normal E1 x E2; the fill forms E2 x E1.
  static const int kCornerOrder[3] = {0, 2, 1};
  for (size_t i = 0; i < model.triangles.size(); ++i) {
    const ModelTriangle& from = model.triangles[i];
    MeshTriangle& to = mesh->triangles[i];
    for (int k = 0; k < 3; ++k) {
      const int corner = kCornerOrder[k];
      to.vertex[k] = int32_t(newIndex[from.vertex[corner]]);
      to.colour[k] = from.colour;
      to.uv[k][0] = from.uv[corner][0];
      to.uv[k][1] = from.uv[corner][1];
    }
    to.texture = from.texture;
  }
  mesh->lines = model.lines;
  for (MeshLine& line : mesh->lines) {
    line.from = int32_t(newIndex[uint32_t(line.from)]);
    line.to = int32_t(newIndex[uint32_t(line.to)]);
  }
  return true;
}

}  // namespace renderer
