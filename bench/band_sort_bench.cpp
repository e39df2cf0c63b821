// Sorting a frame's triangles into band lists, on one thread: a 102 400-
// triangle torus (320 rings of 160 sides) seen at 1600 x 1000, its vertex
// keys made once, then every chunk sorted each iteration. The figure is
// "time_per_triangle": the sort's cost for each triangle of the frame,
// which a banded frame pays on top of drawing.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "bench/bench_stats.h"
#include "render/band_bins.h"
#include "render/band_layout.h"
#include "render/scene_steps.h"
#include "render/workspace.h"
#include "renderer/renderer.h"

namespace {

constexpr int32_t kWidth = 1600;
constexpr int32_t kHeight = 1000;

// A ring of `rings` x `sides` quads, two triangles each, in the order a
// model file lists them: ring after ring.
renderer::Mesh Torus(int32_t rings, int32_t sides) {
  constexpr double kPi = 3.14159265358979323846;
  renderer::Mesh mesh;
  for (int32_t i = 0; i < rings; ++i) {
    const double a = 2 * kPi * i / rings;
    for (int32_t j = 0; j < sides; ++j) {
      const double b = 2 * kPi * j / sides;
      const double r = 2400.0 + 900.0 * std::cos(b);
      mesh.vertices.push_back({int32_t(r * std::cos(a)),
                               int32_t(900.0 * std::sin(b)),
                               int32_t(r * std::sin(a))});
    }
  }
  for (int32_t i = 0; i < rings; ++i) {
    for (int32_t j = 0; j < sides; ++j) {
      const int32_t i1 = (i + 1) % rings, j1 = (j + 1) % sides;
      const int32_t k00 = i * sides + j, k10 = i1 * sides + j;
      const int32_t k01 = i * sides + j1, k11 = i1 * sides + j1;
      renderer::MeshTriangle first, second;
      first.vertex[0] = k00, first.vertex[1] = k10, first.vertex[2] = k11;
      second.vertex[0] = k00, second.vertex[1] = k11, second.vertex[2] = k01;
      mesh.triangles.push_back(first);
      mesh.triangles.push_back(second);
    }
  }
  return mesh;
}

// Argument: the bands (a two-thread frame has 8).
void BM_BandSort(benchmark::State& state) {
  using namespace renderer;
  Scene scene;
  scene.meshes.push_back(Torus(320, 160));
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
