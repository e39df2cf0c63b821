// The two clears every frame needs: the 1920 x 1080 depth reset and the
// 800 x 600 colour clear at a 1920-pixel pitch.
#include <benchmark/benchmark.h>

#include "bench/bench_scene.h"
#include "bench/bench_stats.h"
#include "render/frame_buffer.h"
#include "render/render_context.h"

namespace {

void BM_ClearZBuffer(benchmark::State& state) {
  SetUpBenchScene(800, 600, 1);
  for (auto _ : state) {
    ClearZBuffer();
    benchmark::DoNotOptimize(renderContext.zBuffer[0]);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * renderContext.zBufferEntries *
                          int64_t(sizeof(float)));
}
BENCHMARK(BM_ClearZBuffer)->ComputeStatistics("min", FastestOf);

void BM_ClearFrame(benchmark::State& state) {
  SetUpBenchScene(800, 600, 1);
  for (auto _ : state) {
    ClearFrame(599, 799);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 800 * 600 * 4);
}
BENCHMARK(BM_ClearFrame)->ComputeStatistics("min", FastestOf);

}  // namespace
