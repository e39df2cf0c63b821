// Whole frames: the demo scene at two client sizes, and 0, 1, 10 and 100
// instances of the model, to show how the cost grows with the work.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/bench_scene.h"
#include "bench/bench_stats.h"

namespace {

// Object 0's orientation every 20 animation steps over the full 720-step
// cycle; the frames go through them in turn, so a run sees the animation's
// mix of views rather than one pose.
constexpr int kPoseCount = 36;
double poses[kPoseCount][3][3];

void MakePoses() {
  renderer::SceneObject object;
  for (int i = 0; i < kPoseCount; ++i) {
    PoseObject(&object, 20 * i);
    std::memcpy(poses[i], object.orientation, sizeof poses[i]);
  }
}

void RunDemoFrame(benchmark::State& state, BenchScene* bench, int32_t width,
                  int32_t height) {
  SetUpBenchScene(bench, width, height, 1);
  MakePoses();
  int pose = 0;
  const renderer::RenderStats& stats = renderer::Stats(*bench->workspace);
  const int64_t before = stats.pixelsPassed;
  for (auto _ : state) {
    std::memcpy(bench->scene.objects[0].orientation, poses[pose],
                sizeof poses[pose]);
    pose = (pose + 1) % kPoseCount;
    DrawBenchFrame(bench);
  }
  state.counters["pixels"] = benchmark::Counter(
      double(stats.pixelsPassed - before) / double(state.iterations()));
}

// Arguments: the client width and height.
void BM_DemoFrame(benchmark::State& state) {
  BenchScene bench;
  RunDemoFrame(state, &bench, int32_t(state.range(0)),
               int32_t(state.range(1)));
}
BENCHMARK(BM_DemoFrame)
    ->Args({800, 600})
    ->Args({1600, 1000})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", FastestOf);

// The 800 x 600 demo frame with each fill version (0 plain, then the
// vector targets best first, as SupportedFillPaths lists them: AVX3, AVX2,
// SSE4 on a processor with AVX-512), to show what each speed-up brings.
void BM_DemoFrameByPath(benchmark::State& state) {
  BenchScene bench;
  if (!SelectFillPath(*bench.workspace, state.range(0))) {
    state.SkipWithError("the processor lacks this fill version");
    return;
  }
  RunDemoFrame(state, &bench, int32_t(state.range(1)),
               int32_t(state.range(2)));
}
BENCHMARK(BM_DemoFrameByPath)
    ->ArgNames({"path", "width", "height"})
    ->Args({0, 800, 600})
    ->Args({1, 800, 600})
    ->Args({2, 800, 600})
    ->Args({3, 800, 600})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", FastestOf);

// Argument: the number of instances, on the cells of a 10 x 10 grid. With
// one instance the frames go through all hundred cells in turn, so its
// figure is the mean single-instance frame over the same cells the
// hundred-instance frame fills: 100 x (1 instance - 0 instances) against
// (100 instances - 0 instances) shows whether the cost grows with the work.
void BM_Instances(benchmark::State& state) {
  const int32_t count = int32_t(state.range(0));
  BenchScene bench;
  SetUpBenchScene(&bench, 800, 600, count);
  ArrangeInstanceGrid(&bench, count == 1 ? 100 : count);
  const renderer::RenderStats& stats = renderer::Stats(*bench.workspace);
  const int64_t before = stats.pixelsPassed;
  int32_t cell = 0;
  for (auto _ : state) {
    if (count == 1) {
      state.PauseTiming();
      PlaceOnGridCell(&bench.scene.objects[0], cell);
      cell = (cell + 1) % 100;
      state.ResumeTiming();
    }
    DrawBenchFrame(&bench);
  }
  state.counters["pixels"] = benchmark::Counter(
      double(stats.pixelsPassed - before) / double(state.iterations()));
}
BENCHMARK(BM_Instances)
    ->Arg(0)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", FastestOf);

}  // namespace
