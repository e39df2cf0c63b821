// Creating a workspace and growing it to a scene.
#include "render/workspace.h"

#include <algorithm>
#include <thread>

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
  for (WorkspacePtr& band : workspace.bandWorkspaces) {
    GrowSpanTable(*band, rows);
  }
}

bool SetThreadCount(Workspace& workspace, int32_t threads) {
  if (threads < 0 || threads > kMaxThreads) return false;
  if (threads == 0) {
    threads = std::clamp(int32_t(std::thread::hardware_concurrency()), 1,
                         kMaxThreads);
  }
  if (threads == ThreadCount(workspace)) return true;
  workspace.pool.reset();
  workspace.bandWorkspaces.clear();
  if (threads == 1) return true;
  workspace.pool = MakeRenderPool(threads);
  for (int32_t i = 0; i < threads; ++i) {
    workspace.bandWorkspaces.push_back(MakeWorkspace());
  }
  return true;
}

int32_t ThreadCount(const Workspace& workspace) {
  return workspace.pool != nullptr ? PoolWorkers(*workspace.pool) : 1;
}

}  // namespace renderer
