// Creating a workspace and growing it to a scene.
#include "render/workspace.h"

#include <algorithm>

namespace renderer {

namespace {

// Enough room for `count` vertices; grows only.
void GrowVertices(ObjectVertices* vertices, size_t count) {
  if (vertices->camera.size() < count) vertices->camera.resize(count);
  if (vertices->vectors.size() < count) vertices->vectors.resize(count);
  if (vertices->projected.size() < count) vertices->projected.resize(count);
}

void GrowSpanTable(Workspace& workspace, int32_t rows) {
  rows = std::max(rows, kSpanTableRows);
  if (workspace.spanTable != nullptr && workspace.spanTableRows >= rows) return;
  if (workspace.spanStorage.size() < size_t(rows)) {
    workspace.spanStorage.resize(size_t(rows));
  }
  workspace.spanTable = workspace.spanStorage.data();
  workspace.spanTableRows = int32_t(workspace.spanStorage.size());
}

}  // namespace

void WorkspaceDeleter::operator()(Workspace* workspace) const {
  delete workspace;
}

WorkspacePtr MakeWorkspace() {
  WorkspacePtr workspace(new Workspace{});
  workspace->fillPath = BestFillPath();
  GrowSpanTable(*workspace, kSpanTableRows);
  return workspace;
}

void PrepareWorkspace(Workspace& workspace, const Scene& scene, int32_t rows) {
  if (workspace.objects.size() < scene.objects.size()) {
    workspace.objects.resize(scene.objects.size());
  }
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const int32_t mesh = scene.objects[i].mesh;
    if (mesh < 0 || size_t(mesh) >= scene.meshes.size()) continue;
    GrowVertices(&workspace.objects[i],
                 scene.meshes[size_t(mesh)].vertices.size());
  }
  GrowSpanTable(workspace, rows);
}

}  // namespace renderer
