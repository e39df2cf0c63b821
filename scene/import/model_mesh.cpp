// From the readers' collected primitives to one renderer mesh.
#include "scene/import/model_mesh.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "renderer/model.h"
#include "scene/import/model_files.h"
#include "scene/import/model_normals.h"

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
  for (const MeshTriangle& t : model.triangles) {
    for (int32_t v : t.vertex) use(uint32_t(v));
  }
  for (const MeshLine& l : model.lines) {
    use(uint32_t(l.from));
    use(uint32_t(l.to));
  }
  return box;
}

}  // namespace

void AddModelTexturedTriangle(ModelMesh* model, MeshTriangle triangle,
                              const double (&uv)[3][2]) {
  triangle.texels = int32_t(model->texels.size());
  TriangleTexels& texels = model->texels.emplace_back();
  std::copy(&uv[0][0], &uv[0][0] + 6, &texels.uv[0][0]);
  model->triangles.push_back(triangle);
}

bool FinishModelMesh(ModelMesh&& model, Mesh* mesh, std::string* problem) {
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
  // Corners 1 and 2 swap: negating y and z is a proper turn, which keeps
  // the counter-clockwise side's normal E1 x E2; the fill forms E2 x E1.
  for (MeshTriangle& t : model.triangles) {
    for (int32_t& v : t.vertex) v = int32_t(newIndex[size_t(v)]);
    std::swap(t.vertex[1], t.vertex[2]);
    std::swap(t.colour[1], t.colour[2]);
  }
  for (TriangleTexels& texels : model.texels) {
    std::swap(texels.uv[1][0], texels.uv[2][0]);
    std::swap(texels.uv[1][1], texels.uv[2][1]);
  }
  mesh->normals =
      FinishModelNormals(std::move(model.normals), model.triangles.size());
  mesh->triangles = std::move(model.triangles);
  mesh->texels = std::move(model.texels);
  mesh->lines = std::move(model.lines);
  for (MeshLine& line : mesh->lines) {
    line.from = int32_t(newIndex[uint32_t(line.from)]);
    line.to = int32_t(newIndex[uint32_t(line.to)]);
  }
  return true;
}

bool HandOverModel(ModelMesh&& model, std::vector<Texture>&& images,
                   const std::string& name, Mesh* mesh,
                   std::vector<Texture>* textures, std::string* error) {
  Mesh result;
  std::string problem;
  if (!FinishModelMesh(std::move(model), &result, &problem)) {
    *error = OneLine(name + ": model: " + problem);
    return false;
  }
  *mesh = std::move(result);
  *textures = std::move(images);
  return true;
}

bool FitModelMesh(std::vector<Vector3> positions,
                  std::vector<MeshTriangle> triangles,
                  std::vector<TriangleTexels> texels,
                  std::vector<MeshLine> lines, Mesh* mesh,
                  std::string* problem) {
  Mesh result;
  if (!FinishModelMesh(ModelMesh{std::move(positions), std::move(triangles),
                                 std::move(lines), {}, std::move(texels)},
                       &result, problem)) {
    return false;
  }
  *mesh = std::move(result);
  return true;
}

}  // namespace renderer
