// Sorting a frame's triangles into band lists, on one thread: a 102 400-
// triangle torus (320 rings of 160 sides) seen at 1600 x 1000, its vertex
// keys made once, then every chunk sorted each iteration. The figure is
// "time_per_triangle": the sort's cost for each triangle of the frame,
// which a banded frame pays on top of drawing.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/bench_scene.h"
#include "bench/bench_stats.h"
#include "render/band_bins.h"
#include "render/band_layout.h"
#include "render/scene_steps.h"
#include "render/workspace.h"
#include "renderer/renderer.h"

namespace {

constexpr int32_t kWidth = 1600;
constexpr int32_t kHeight = 1000;

// Argument: the bands (a two-thread frame has 8).
void BM_BandSort(benchmark::State& state) {
  using namespace renderer;
  Scene scene;
  scene.meshes.push_back(BenchTorus(320, 160, 256));
  SceneObject object;
  object.mesh = 0;
  object.position[2] = 4500;
  RotateObjectX(object, 60);
  scene.objects.push_back(object);
  HeadlessTarget target;
  BindHeadlessTarget(target, kWidth, kHeight, kWidth, kHeight);
  View view;
  SetDemoProjection(view, target.target.clientRect, target.clientCentre);
  WorkspacePtr workspace = MakeWorkspace();
  PrepareWorkspace(*workspace, scene, kHeight);
  TransformScene(view, scene, *workspace);
  BandLayout& layout = workspace->layout;
  PlanBands(layout, 0, kHeight - 1, int32_t(state.range(0)), 1);
  BandBins& bins = workspace->bins;
  if (!PrepareBandBins(bins, scene, *workspace, layout)) {
    state.SkipWithError("the torus does not fit the lists");
    return;
  }
  KeyBinVertices(bins, view, *workspace, 0, 0, scene.meshes[0].vertices.size());
  for (auto _ : state) {
    for (int32_t chunk = 0; chunk < bins.chunks; ++chunk) {
      SortBinChunk(bins, scene, *workspace, chunk);
    }
    benchmark::ClobberMemory();
  }
  state.counters["time_per_triangle"] = benchmark::Counter(
      double(scene.meshes[0].triangles.size()),
      benchmark::Counter::kIsIterationInvariantRate |
          benchmark::Counter::kInvert);
}
BENCHMARK(BM_BandSort)
    ->ArgName("bands")
    ->Arg(8)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", FastestOf);

}  // namespace
