// The banded frame: one job on the pool per frame. Work is handed out by
// counters in a fixed order: vertex ranges first, then the bands of each
// stretch of objects; a band of a later stretch waits for the earlier
// stretch, its lines included, to be finished.
#include "render/band_pass.h"

#include <algorithm>
#include <atomic>

#include "renderer/int32.h"
#include "render/render_pool.h"
#include "render/scene_steps.h"
#include "render/workspace.h"
#include "render/word_fill.h"

namespace renderer {

namespace {

// Below this many vertices in all, the calling thread transforms the scene
// before the job starts: cheaper than sharing it out.
constexpr size_t kSharedTransformVertices = 8192;
constexpr int32_t kTransformParts = 8;  // vertex ranges per object

struct BandFrame {
  const DrawContext* whole;  // the frame's context, its band the whole area
  const Scene* scene;
  const FrameTarget* target;
  Workspace* workspace;
  int32_t bands;
  int32_t stretches;        // runs of objects, each ending with lines or last
  int32_t transformTasks;   // objects x kTransformParts, or 0
  bool binned;              // bands walk their lists (workspace.bins)
  const ColourClearRows* clear;  // or null
  std::atomic<int32_t> nextTransform{0};
  std::atomic<int32_t> transformsDone{0};
  std::atomic<int32_t> nextSort{0};         // over the bins' chunks
  std::atomic<int32_t> sortsDone{0};
  std::atomic<int32_t> nextBand{0};         // over stretches x bands
  std::atomic<int32_t> bandsDone{0};
  std::atomic<int32_t> stretchesDone{0};    // lines included
};

struct BandClear {
  const RowKernels* kernels;
  const FrameTarget* target;
  const DrawnRows* drawn;
  ColourClearRows rows;
  int32_t bands;
  std::atomic<int32_t> next{0};
  std::atomic<int32_t> done{0};
};

bool HasLines(const Mesh* mesh) { return mesh != nullptr && !mesh->lines.empty(); }

int32_t CountStretches(const Scene& scene, const Workspace& workspace) {
  int32_t stretches = 1;
  for (size_t i = 0; i + 1 < scene.objects.size(); ++i) {
    stretches += HasLines(RenderableMesh(scene, workspace, i));
  }
  return stretches;
}

// Objects first..end - 1 of stretch `stretch`.
void StretchObjects(const BandFrame& frame, int32_t stretch, size_t* first,
                    size_t* end) {
  const Scene& scene = *frame.scene;
  size_t i = 0;
  for (int32_t s = 0; s < stretch; ++i) {
    s += HasLines(RenderableMesh(scene, *frame.workspace, i));
  }
  *first = i;
  while (i + 1 < scene.objects.size() &&
         !HasLines(RenderableMesh(scene, *frame.workspace, i))) {
    ++i;
  }
  *end = std::min(i + 1, scene.objects.size());
}

void TransformPart(const BandFrame& frame, int32_t task) {
  const size_t object = size_t(task / kTransformParts);
  const size_t part = size_t(task % kTransformParts);
  Workspace& workspace = *frame.workspace;
  const Mesh* mesh = RenderableMesh(*frame.scene, workspace, object);
  if (mesh == nullptr) return;
  const size_t count = mesh->vertices.size();
  const size_t begin = count * part / kTransformParts;
  const size_t end = count * (part + 1) / kTransformParts;
  TransformVertexRange(frame.scene->objects[object], *mesh,
                       &workspace.objects[object], begin, end);
  ProjectVertexRange(frame.whole->view, &workspace.objects[object], begin,
                     end);
  if (frame.binned) {
    KeyBinVertices(workspace.bins, frame.whole->view, workspace, object,
                   begin, end);
  }
}

void TransformShare(BandFrame& frame) {
  for (;;) {
    const int32_t task = frame.nextTransform.fetch_add(1);
    if (task >= frame.transformTasks) break;
    TransformPart(frame, task);
    frame.transformsDone.fetch_add(1, std::memory_order_release);
  }
  WaitForCount(frame.transformsDone, frame.transformTasks);
}

// The triangles sorted into the bands' lists, once the transform is done:
// each chunk counted and written by whoever takes it.
void SortShare(BandFrame& frame) {
  if (!frame.binned) return;
  BandBins& bins = frame.workspace->bins;
  const int32_t chunks = bins.chunks;
  for (;;) {
    const int32_t chunk = frame.nextSort.fetch_add(1);
    if (chunk >= chunks) break;
    SortBinChunk(bins, *frame.scene, *frame.workspace, chunk);
    frame.sortsDone.fetch_add(1, std::memory_order_release);
  }
  WaitForCount(frame.sortsDone, chunks);
}

// Band `index`'s triangles of objects first..end - 1: chunk after chunk,
// its own list merged with the shared one in scene order.
void DrawBandLists(const BandFrame& frame, DrawContext& context,
                   int32_t index, size_t first, size_t end) {
  const BandBins& bins = frame.workspace->bins;
  const Workspace& shared = *frame.workspace;
  const uint32_t from = bins.objectStart[first];
  const uint32_t to = bins.objectStart[end];
  if (from >= to) return;
  size_t object = first;
  for (int32_t chunk = ChunkOf(bins, from); chunk < bins.chunks; ++chunk) {
    const uint32_t chunkEnd = std::min(ChunkStart(bins, chunk + 1), to);
    const BandLists lists = ListsOfBand(bins, index, chunk);
    NumberList own{std::lower_bound(lists.own, lists.ownEnd, from),
                   lists.ownEnd};
    NumberList all{std::lower_bound(lists.shared, lists.sharedEnd, from),
                   lists.sharedEnd};
    // The objects with numbers in this chunk; the last may go on into the
    // next chunk, where it is met again.
    for (; object < end; ++object) {
      const Mesh* mesh = RenderableMesh(*frame.scene, shared, object);
      if (mesh != nullptr) {
        DrawListedTriangles(context, *frame.scene, *mesh,
                            shared.objects[object], bins.objectStart[object],
                            own, all);
      }
      if (bins.objectStart[object + 1] > chunkEnd) break;
    }
    if (chunkEnd >= to) return;
  }
}

// Band `index`'s share of the colour clear (when the frame makes one) and
// of the depth reset: its own rows, and before the first band's and after
// the last band's the rest of both.
void ClearBandRows(const BandFrame& frame, const RowBand& band, int32_t index,
                   RenderStats& counters) {
  const FrameTarget& target = *frame.target;
  const bool lastBand = index == frame.bands - 1;
  const int32_t first = index == 0 ? 0 : band.top;
  if (frame.clear != nullptr) {
    const int64_t start = StageStart(counters);
    const ColourClearRows& clear = *frame.clear;
    const int32_t last =
        lastBand ? clear.rows : std::min(band.bottom, clear.rows);
    ClearColourRows(clear, target, frame.workspace->drawn,
                    frame.whole->kernels, first, last);
    AddStageTime(counters, start, counters.colourClearNs);
  }
  const int64_t end =
      lastBand ? DepthRowsOf(target) : int64_t{band.bottom} + 1;
  ResetDepthRows(frame.workspace->drawn, target, frame.whole->kernels,
                 counters, first, end);
}

// The lines of objects first..end - 1, timed like the triangles: drawing
// counts the same work whichever thread draws it.
void DrawStretchLines(const BandFrame& frame, size_t first, size_t end,
                      RenderStats& counters) {
  const Workspace& shared = *frame.workspace;
  const int64_t start = StageStart(counters);
  for (size_t i = first; i < end; ++i) {
    const Mesh* mesh = RenderableMesh(*frame.scene, shared, i);
    if (mesh != nullptr) DrawObjectLines(*frame.whole, *mesh, shared.objects[i]);
  }
  AddStageTime(counters, start, counters.fillNs);
}

RowBand RowsOfBand(const BandLayout& layout, int32_t index) {
  return RowBand{layout.starts[size_t(index)],
                 layout.starts[size_t(index) + 1] - 1};
}

// One band of one stretch; the thread that finishes the stretch's last band
// draws its lines and opens the next stretch.
void DrawBandTask(BandFrame& frame, int32_t task, WorkerScratch& scratch) {
  const int32_t stretch = task / frame.bands;
  const int32_t index = task % frame.bands;
  WaitForCount(frame.stretchesDone, stretch);
  const PixelArea& area = frame.whole->area;
  const DrawContext& whole = *frame.whole;
  BandLayout& layout = frame.workspace->layout;
  const int64_t start = StatsClockNs();
  DrawContext context{whole.view,
                      whole.frame,
                      whole.depth,
                      area,
                      RowsOfBand(layout, index),
                      whole.light,
                      whole.kernels,
                      whole.workspace,
                      scratch,
                      whole.drawn};
  RenderStats& counters = scratch.counters;
  if (stretch == 0) ClearBandRows(frame, context.band, index, counters);
  size_t first, end;
  StretchObjects(frame, stretch, &first, &end);
  const Workspace& shared = *frame.workspace;
  const int64_t fillStart = StageStart(counters);
  if (frame.binned) {
    DrawBandLists(frame, context, index, first, end);
  } else {
    for (size_t i = first; i < end; ++i) {
      const Mesh* mesh = RenderableMesh(*frame.scene, shared, i);
      if (mesh != nullptr) {
        DrawObjectTriangles(context, *frame.scene, *mesh, shared.objects[i]);
      }
    }
  }
  AddStageTime(counters, fillStart, counters.fillNs);
  layout.costs[size_t(index)] += std::max<int64_t>(StatsClockNs() - start, 1);
  const int32_t finished = frame.bandsDone.fetch_add(1) + 1;
  if (finished == (stretch + 1) * frame.bands) {
    DrawStretchLines(frame, first, end, counters);
    frame.stretchesDone.store(stretch + 1, std::memory_order_release);
  }
}

void RunBands(void* data, int32_t worker) {
  BandFrame& frame = *static_cast<BandFrame*>(data);
  WorkerScratch& scratch = frame.workspace->workers[size_t(worker)];
  TransformShare(frame);
  SortShare(frame);
  const int32_t tasks = frame.stretches * frame.bands;
  for (;;) {
    const int32_t task = frame.nextBand.fetch_add(1);
    if (task >= tasks) break;
    DrawBandTask(frame, task, scratch);
  }
  // The caller's run returns only with the whole frame drawn.
  if (worker == 0) WaitForCount(frame.stretchesDone, frame.stretches);
}

size_t SceneVertices(const Scene& scene, const Workspace& workspace) {
  size_t count = 0;
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh != nullptr) count += mesh->vertices.size();
  }
  return count;
}

void RunClearBands(void* data, int32_t worker) {
  BandClear& clear = *static_cast<BandClear*>(data);
  for (;;) {
    const int32_t index = clear.next.fetch_add(1);
    if (index >= clear.bands) break;
    const RowBand band = BandOf(0, clear.rows.rows, clear.bands, index);
    ClearColourRows(clear.rows, *clear.target, *clear.drawn, clear.kernels,
                    band.top, band.bottom);
    clear.done.fetch_add(1, std::memory_order_release);
  }
  if (worker == 0) WaitForCount(clear.done, clear.bands);
}

}  // namespace

void ClearColourRows(const ColourClearRows& clear, const FrameTarget& target,
                     const DrawnRows& drawn, const RowKernels* kernels,
                     int32_t first, int32_t last) {
  if (first > last) return;
  if (clear.drawnOnly) {
    ClearDrawnColour(drawn, clear.recordRows, target, kernels, first, last,
                     clear.columns);
    return;
  }
  const FrameView frame = FrameViewOf(target);
  FillRows(kernels, frame.pixels, frame.stride, first, last,
           size_t(clear.columns) + 1, kBackgroundColour);
}

int32_t BandCount(const Workspace& workspace, const PixelArea& area) {
  if (workspace.pool == nullptr) return 1;
  if (area.right < area.left || area.bottom < area.top) return 1;
  const int64_t rows = int64_t{area.bottom} - area.top + 1;
  const int64_t fit = rows / std::max(workspace.minBandRows, 1);
  if (fit < 2) return 1;
  const int64_t most = int64_t{PoolWorkers(*workspace.pool)} * kBandsPerWorker;
  return int32_t(std::min(fit, most));
}

RowBand BandOf(int32_t top, int32_t bottom, int32_t bands, int32_t index) {
  if (index >= bands) return RowBand{top + 1, top};
  const int64_t rows = int64_t{bottom} - top + 1;
  const int64_t first = top + rows * index / bands;
  const int64_t next = top + rows * (index + 1) / bands;
  return RowBand{int32_t(first), int32_t(next - 1)};
}

void DrawSceneInBands(const DrawContext& whole, const Scene& scene,
                      const FrameTarget& target, Workspace& workspace,
                      int32_t bands, const ColourClearRows* clear) {
  BandFrame frame;
  frame.whole = &whole;
  frame.scene = &scene;
  frame.target = &target;
  frame.workspace = &workspace;
  frame.bands = bands;
  frame.clear = clear;
  frame.stretches = CountStretches(scene, workspace);
  frame.transformTasks = 0;
  const size_t parts = scene.objects.size() * kTransformParts;
  if (SceneVertices(scene, workspace) >= kSharedTransformVertices &&
      parts <= size_t(kInt32Max)) {
    frame.transformTasks = int32_t(parts);
  } else {
    TransformScene(whole.view, scene, workspace);
  }
  PlanBands(workspace.layout, whole.area.top, whole.area.bottom, bands,
            workspace.minBandRows);
  frame.binned = PrepareBandBins(workspace.bins, scene, workspace,
                                 workspace.layout);
  if (frame.binned && frame.transformTasks == 0) {
    // A small scene, transformed already: its keys too.
    for (size_t i = 0; i < scene.objects.size(); ++i) {
      const Mesh* mesh = RenderableMesh(scene, workspace, i);
      if (mesh != nullptr) {
        KeyBinVertices(workspace.bins, whole.view, workspace, i, 0,
                       mesh->vertices.size());
      }
    }
  }
  RunOnPool(*workspace.pool, PoolJob{RunBands, &frame});
}

bool PlanColourClear(const FrameTarget& target, int32_t lastRow,
                     int32_t lastColumn, Workspace& workspace,
                     ColourClearRows* clear) {
  const FrameView view = FrameViewOf(target);
  const int32_t rows = std::min(lastRow, view.rows - 1);
  const int32_t columns = std::min(lastColumn, view.columns - 1);
  if (columns < 0 || rows < 0) return false;
  DrawnRows& record = workspace.drawn;
  *clear = ColourClearRows{rows, columns,
                           ClearsOnlyDrawn(record, target, rows, columns),
                           record.count};
  NoteColourClear(record, target, rows, columns);
  return true;
}

void ClearRowsInBands(const FrameTarget& target, const ColourClearRows& rows,
                      Workspace& workspace) {
  const PixelArea area{0, 0, rows.columns, rows.rows};
  RenderStats& stats = workspace.stats;
  const int64_t start = StageStart(stats);
  BandClear clear;
  clear.kernels = RowKernelsOf(workspace.fillPath);
  clear.target = &target;
  clear.drawn = &workspace.drawn;
  clear.rows = rows;
  clear.bands = BandCount(workspace, area);
  if (clear.bands == 1) {
    RunClearBands(&clear, 0);
  } else {
    RunOnPool(*workspace.pool, PoolJob{RunClearBands, &clear});
  }
  AddStageTime(stats, start, stats.colourClearNs);
}

}  // namespace renderer
