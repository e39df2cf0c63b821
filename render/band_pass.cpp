// The banded frame: one job on the pool per frame, workers meeting at a
// barrier after the transform and around each object's lines.
#include "render/band_pass.h"

#include <algorithm>

#include "render/render_pool.h"
#include "render/scene_pass.h"
#include "render/word_fill.h"

namespace renderer {

namespace {

struct BandFrame {
  const DrawContext* whole;  // the frame's context, its band the whole area
  const Scene* scene;
  const FrameTarget* target;
  Workspace* workspace;
  int32_t bands;
};

struct BandClear {
  FrameView frame;
  int32_t rows;
  int32_t columns;
  int32_t bands;
};

// Vertices begin..end of `count` that worker `index` of `workers` handles.
void VertexRange(size_t count, int32_t workers, int32_t index, size_t* begin,
                 size_t* end) {
  *begin = count * size_t(index) / size_t(workers);
  *end = count * size_t(index + 1) / size_t(workers);
}

void TransformShare(const BandFrame& frame, int32_t worker, int32_t workers) {
  const Scene& scene = *frame.scene;
  Workspace& workspace = *frame.workspace;
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh == nullptr) continue;
    size_t begin, end;
    VertexRange(mesh->vertices.size(), workers, worker, &begin, &end);
    TransformVertexRange(scene.objects[i], *mesh, &workspace.objects[i], begin,
                         end);
    ProjectVertexRange(frame.whole->view, &workspace.objects[i], begin, end);
  }
}

// The depth entries band `band` resets: its own rows, and before the first
// band's and after the last band's whatever else the buffer holds.
void ClearBandDepth(const BandFrame& frame, const RowBand& band,
                    int32_t index, Workspace& workspace) {
  const FrameTarget& target = *frame.target;
  if (index >= frame.bands || target.depth == nullptr) return;
  const int64_t stride = frame.whole->depth.stride;
  const int64_t begin = index == 0 ? 0 : band.top * stride;
  const int64_t end = index == frame.bands - 1
                          ? target.depthEntries
                          : (int64_t{band.bottom} + 1) * stride;
  ClearDepthEntries(target, workspace, begin, end);
}

void DrawBandObjects(const BandFrame& frame, DrawContext& context,
                     RenderPool& pool, int32_t worker) {
  const Scene& scene = *frame.scene;
  const Workspace& shared = *frame.workspace;
  const bool drawsRows = worker < frame.bands;
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, shared, i);
    if (mesh == nullptr) continue;
    if (drawsRows) {
      DrawObjectTriangles(context, scene, *mesh, shared.objects[i]);
    }
    if (mesh->lines.empty()) continue;
    PoolBarrier(pool);
    if (worker == 0) DrawObjectLines(*frame.whole, *mesh, shared.objects[i]);
    PoolBarrier(pool);
  }
}

void RunBand(void* data, int32_t worker) {
  const BandFrame& frame = *static_cast<const BandFrame*>(data);
  Workspace& band = *frame.workspace->bandWorkspaces[size_t(worker)];
  band.fillPath = frame.workspace->fillPath;
  band.stats = RenderStats{frame.workspace->stats.timing, 0, 0, 0};
  RenderPool& pool = *frame.workspace->pool;
  const PixelArea& area = frame.whole->area;
  DrawContext context = *frame.whole;
  context.band = BandOf(area.top, area.bottom, frame.bands, worker);
  ClearBandDepth(frame, context.band, worker, band);
  TransformShare(frame, worker, PoolWorkers(pool));
  PoolBarrier(pool);
  DrawContext bandContext{context.view,  context.frame, context.depth,
                          context.area,  context.band,  context.light,
                          band};
  const int64_t start = StartDrawTiming(band.stats);
  DrawBandObjects(frame, bandContext, pool, worker);
  EndDrawTiming(band.stats, start);
}

void AddBandStats(Workspace& workspace, int32_t workers) {
  RenderStats& total = workspace.stats;
  int64_t resetNs = 0, fillNs = 0;
  for (int32_t i = 0; i < workers; ++i) {
    const RenderStats& band = workspace.bandWorkspaces[size_t(i)]->stats;
    total.pixelsPassed += band.pixelsPassed;
    resetNs = std::max(resetNs, band.depthResetNs);
    fillNs = std::max(fillNs, band.fillNs);
  }
  total.depthResetNs += resetNs;
  total.fillNs += fillNs;
}

void RunClearBand(void* data, int32_t worker) {
  const BandClear& clear = *static_cast<const BandClear*>(data);
  const RowBand band = BandOf(0, clear.rows, clear.bands, worker);
  FillRows(clear.frame.pixels, clear.frame.stride, band.top, band.bottom,
           size_t(clear.columns) + 1, kBackgroundColour);
}

}  // namespace

int32_t BandCount(const Workspace& workspace, const PixelArea& area) {
  if (workspace.pool == nullptr) return 1;
  if (area.right < area.left || area.bottom < area.top) return 1;
  const int64_t rows = int64_t{area.bottom} - area.top + 1;
  const int64_t fit = rows / std::max(workspace.minBandRows, 1);
  const int64_t workers = PoolWorkers(*workspace.pool);
  return int32_t(std::clamp<int64_t>(fit, 1, workers));
}

RowBand BandOf(int32_t top, int32_t bottom, int32_t bands, int32_t index) {
  if (index >= bands) return RowBand{top + 1, top};
  const int64_t rows = int64_t{bottom} - top + 1;
  const int64_t first = top + rows * index / bands;
  const int64_t next = top + rows * (index + 1) / bands;
  return RowBand{int32_t(first), int32_t(next - 1)};
}

void RenderSceneInBands(DrawContext& context, const Scene& scene,
                        const FrameTarget& target, int32_t bands) {
  Workspace& workspace = context.workspace;
  BandFrame frame{&context, &scene, &target, &workspace, bands};
  RunOnPool(*workspace.pool, PoolJob{RunBand, &frame});
  AddBandStats(workspace, PoolWorkers(*workspace.pool));
}

void ClearRowsInBands(const FrameView& frame, int32_t rows, int32_t columns,
                      Workspace& workspace) {
  const PixelArea area{0, 0, columns, rows};
  BandClear clear{frame, rows, columns, BandCount(workspace, area)};
  if (clear.bands == 1) {
    RunClearBand(&clear, 0);
    return;
  }
  RunOnPool(*workspace.pool, PoolJob{RunClearBand, &clear});
}

}  // namespace renderer
