// One triangle at a time: span setup, the two fills (the version the
// renderer runs and the plain reference) and a line.
#include <benchmark/benchmark.h>

#include "bench/bench_scene.h"
#include "bench/bench_stats.h"
#include "render/fill_dispatch.h"
#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/line.h"
#include "render/render_context.h"
#include "render/render_stats.h"
#include "render/spans.h"

namespace {

// A tilted triangle about 400 x 300 pixels (some 60 000 pixels) and one
// about 10 pixels across (some 50 pixels), in camera space.
const int32_t kLarge[3][3] = {
    {-1200, -900, 2000}, {1200, -900, 2400}, {0, 900, 2800}};
const int32_t kSmall[3][3] = {{-30, -30, 2400}, {30, -30, 2450}, {0, 30, 2500}};
const double kTexels[3][2] = {{0, 0}, {256, 0}, {128, 256}};

// Each run draws the triangle one unit nearer than the last, so every
// covered pixel passes the depth test (the most work a pixel can cost);
// every 100 runs the depth buffer is reset outside the timing and the
// triangle starts again where it began (it grows by some 5% meanwhile).
template <typename Fill>
void RunFill(benchmark::State& state, const int32_t (&corners)[3][3],
             Fill fill) {
  SetUpBenchScene(800, 600, 1);
  int32_t nearer = 0;
  const int64_t before = renderStats.pixelsPassed;
  for (auto _ : state) {
    if (nearer == 100) {
      state.PauseTiming();
      ClearZBuffer();
      nearer = 0;
      state.ResumeTiming();
    }
    int32_t moved[3][3];
    for (int i = 0; i < 3; ++i) {
      moved[i][0] = corners[i][0];
      moved[i][1] = corners[i][1];
      moved[i][2] = corners[i][2] - nearer;
    }
    fill(MakeBenchTriangle(moved, kTexels, 0));
    ++nearer;
  }
  state.counters["pixels"] = benchmark::Counter(
      double(renderStats.pixelsPassed - before) / double(state.iterations()));
}

void BM_SetupTriangleSpans(benchmark::State& state) {
  SetUpBenchScene(800, 600, 1);
  const ClippedTriangle t = MakeBenchTriangle(kLarge, kTexels, 0);
  const ScreenPoint points[3] = {{t.corners[0].screenX, t.corners[0].screenY},
                                 {t.corners[1].screenX, t.corners[1].screenY},
                                 {t.corners[2].screenX, t.corners[2].screenY}};
  for (auto _ : state) {
    SetupTriangleSpans(points);
    benchmark::ClobberMemory();
  }
  state.counters["rows"] =
      double(renderContext.lastRow - renderContext.firstRow + 1);
}
BENCHMARK(BM_SetupTriangleSpans)->ComputeStatistics("min", FastestOf);

// Arguments: the fill version (0 plain, then the vector targets best first,
// as FillPathsHere lists them; numbers past the list are skipped) and, for
// the textured fill, the size.
bool SelectPath(benchmark::State& state) {
  if (SelectFillPath(state.range(0))) return true;
  state.SkipWithError("the processor lacks this fill version");
  return false;
}

void BM_FillTexturedTriangle(benchmark::State& state) {
  if (!SelectPath(state)) return;
  RunFill(state, state.range(1) ? kLarge : kSmall, FillTexturedTriangle);
  UseFillPath(BestFillPath());
}
BENCHMARK(BM_FillTexturedTriangle)
    ->ArgNames({"path", "large"})
    ->ArgsProduct({{0, 1, 2, 3}, {1, 0}})
    ->ComputeStatistics("min", FastestOf);

void BM_FillFlatTriangle(benchmark::State& state) {
  if (!SelectPath(state)) return;
  RunFill(state, kLarge, FillFlatTriangle);
  UseFillPath(BestFillPath());
}
BENCHMARK(BM_FillFlatTriangle)
    ->ArgName("path")
    ->DenseRange(0, 3)
    ->ComputeStatistics("min", FastestOf);

// A line of about 530 steps; equal depths pass, so every run draws it all.
void BM_DrawLine(benchmark::State& state) {
  SetUpBenchScene(800, 600, 1);
  const Vector3 a = {-1000, -500, 2000};
  const Vector3 b = {1000, 400, 2600};
  for (auto _ : state) {
    DrawLine(0x00FF0000, 0x000000FF, a, b);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawLine)->ComputeStatistics("min", FastestOf);

}  // namespace
