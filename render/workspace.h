#pragma once
// The workspace's definition: everything a frame computes on the way to
// the pixels, kept from frame to frame so that drawing allocates nothing
// once the scene's sizes are known.
#include <cstdint>
#include <vector>

#include "render/band_bins.h"
#include "render/band_layout.h"
#include "render/drawn_rows.h"
#include "render/looks_state.h"
#include "render/render_pool.h"
#include "renderer/render.h"

namespace renderer {

// One vertex's screen position this frame; `visible` when its camera z > 1.
struct ProjectedVertex {
  double screenX;
  double screenY;
  bool visible;
};

// The span table never has fewer rows than this.
constexpr int32_t kSpanTableRows = 900;

// One object's vertices this frame: in camera space, their turned vectors,
// and projected. Each array holds at least the mesh's vertex count.
struct ObjectVertices {
  std::vector<IntVertex> camera;
  std::vector<Vector3> vectors;
  std::vector<ProjectedVertex> projected;
  // Smooth shading (PrepareLooks): the mesh's corner normals, one entry
  // per triangle, or null; and the object's orientation that turns them.
  const CornerNormals* normals = nullptr;
  double orientation[3][3] = {};
};

// One worker's scratch record: the span table its triangles are set up in
// and the counters of what it drew. Each worker of a frame (the calling
// thread is worker 0) writes only its own; each starts a cache line of its
// own, so that one worker's counting does not slow another's span setup.
struct alignas(64) WorkerScratch {
  // The span table: spanTableRows rows, normally spanStorage's own.
  std::vector<Span> spanStorage;
  Span* spanTable = nullptr;
  int32_t spanTableRows = 0;
  // The rows the last span setup covered: firstRow..lastRow, the upper part
  // ending at middleRow.
  int32_t firstRow = 0;
  int32_t middleRow = 0;
  int32_t lastRow = -1;
  // This frame's counts and stage times, added into the owner's at its end.
  RenderStats counters;
};

// The owner: what every worker reads (the objects' vertices this frame,
// the fill version, the pool and the fewest rows a band is given), the
// workers' scratch records, and the counters the caller sees.
struct Workspace {
  std::vector<ObjectVertices> objects;  // one per scene object
  std::vector<WorkerScratch> workers;   // one per worker, at least one
  RenderStats stats;
  FillPath fillPath = kPlainFill;
  RenderPoolPtr pool;  // null for one thread
  int32_t minBandRows = 64;
  // The banded frame's rows split into bands, and its triangles sorted
  // into per-band lists.
  BandLayout layout;
  BandBins bins;
  // What the last frame wrote into its depth buffer, row by row.
  DrawnRows drawn;
  // The looks beside the flat one: corner normals per scene mesh, and the
  // sample buffers of frames with several samples per pixel.
  LooksState looks;
};

// Grows the workspace to the scene: vertex arrays for every object's mesh,
// and a span table of at least `rows` rows (and kSpanTableRows) for every
// worker. Never shrinks, so a frame whose sizes did not grow allocates
// nothing.
void PrepareWorkspace(Workspace& workspace, const Scene& scene, int32_t rows);

// Every worker's counters start the frame at zero, timing as the owner's.
void StartWorkerCounters(Workspace& workspace);

// Adds the workers' counters into the owner's: pixels summed over the
// workers, stage times of the slowest one (the only one, with one thread).
void AddWorkerCounters(Workspace& workspace);

// The clock for a stage that `counters` time, or 0 when they do not.
int64_t StageStart(const RenderStats& counters);

// Adds the time since `start` to `total` when `counters` time stages.
void AddStageTime(const RenderStats& counters, int64_t start, int64_t& total);

// Monotonic nanoseconds, for the stage times.
int64_t StatsClockNs();

}  // namespace renderer
