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

void GrowSpanTable(WorkerScratch& worker, int32_t rows) {
  rows = std::max(rows, kSpanTableRows);
  if (worker.spanTable != nullptr && worker.spanTableRows >= rows) return;
  if (worker.spanStorage.size() < size_t(rows)) {
    worker.spanStorage.resize(size_t(rows));
  }
  worker.spanTable = worker.spanStorage.data();
  worker.spanTableRows = int32_t(worker.spanStorage.size());
}

}  // namespace

void WorkspaceDeleter::operator()(Workspace* workspace) const {
  delete workspace;
}

WorkspacePtr MakeWorkspace() {
  WorkspacePtr workspace(new Workspace{});
  workspace->fillPath = BestFillPath();
  workspace->workers.resize(1);
  GrowSpanTable(workspace->workers[0], kSpanTableRows);
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
  for (WorkerScratch& worker : workspace.workers) GrowSpanTable(worker, rows);
}

void StartWorkerCounters(Workspace& workspace) {
  for (WorkerScratch& worker : workspace.workers) {
    worker.counters = RenderStats{workspace.stats.timing, 0, 0, 0, 0};
  }
}

void AddWorkerCounters(Workspace& workspace) {
  RenderStats& total = workspace.stats;
  int64_t resetNs = 0, fillNs = 0, clearNs = 0;
  for (const WorkerScratch& worker : workspace.workers) {
    total.pixelsPassed += worker.counters.pixelsPassed;
    resetNs = std::max(resetNs, worker.counters.depthResetNs);
    fillNs = std::max(fillNs, worker.counters.fillNs);
    clearNs = std::max(clearNs, worker.counters.colourClearNs);
  }
  total.depthResetNs += resetNs;
  total.fillNs += fillNs;
  total.colourClearNs += clearNs;
}

int64_t StageStart(const RenderStats& counters) {
  return counters.timing ? StatsClockNs() : 0;
}

void AddStageTime(const RenderStats& counters, int64_t start, int64_t& total) {
  if (counters.timing) total += StatsClockNs() - start;
}

bool SetThreadCount(Workspace& workspace, int32_t threads) {
  if (threads < 0 || threads > kMaxThreads) return false;
  if (threads == 0) {
    threads = std::clamp(int32_t(std::thread::hardware_concurrency()), 1,
                         kMaxThreads);
  }
  if (threads == ThreadCount(workspace)) return true;
  workspace.pool.reset();
  // New workers' span tables grow to the others' size on the next frame.
  workspace.workers.resize(size_t(threads));
  if (threads > 1) workspace.pool = MakeRenderPool(threads);
  return true;
}

int32_t ThreadCount(const Workspace& workspace) {
  return workspace.pool != nullptr ? PoolWorkers(*workspace.pool) : 1;
}

}  // namespace renderer
