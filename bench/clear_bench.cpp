// The two clears every frame needs: the 1920 x 1080 depth reset (a frame
// of an empty scene) and the 800 x 600 colour clear at a 1920-pixel pitch.
#include <benchmark/benchmark.h>

#include "bench/bench_scene.h"
#include "bench/bench_stats.h"

namespace {

void BM_ClearZBuffer(benchmark::State& state) {
  BenchScene bench;
  SetUpBenchScene(&bench, 800, 600, 0);
  renderer::FrameTarget& target = bench.target.target;
  for (auto _ : state) {
    renderer::RenderFrame(bench.scene, bench.view, target, *bench.workspace);
    benchmark::DoNotOptimize(target.depth[0]);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * target.depthEntries *
                          int64_t(sizeof(float)));
}
BENCHMARK(BM_ClearZBuffer)->ComputeStatistics("min", FastestOf);

void BM_ClearFrame(benchmark::State& state) {
  BenchScene bench;
  SetUpBenchScene(&bench, 800, 600, 1);
  for (auto _ : state) {
    renderer::ClearFrame(bench.target.target, 599, 799);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 800 * 600 * 4);
}
BENCHMARK(BM_ClearFrame)->ComputeStatistics("min", FastestOf);

}  // namespace
