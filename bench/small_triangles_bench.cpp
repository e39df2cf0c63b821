// Many small untextured triangles, the shape of a detailed model: 10k,
// 100k and 1M triangles of a few pixels each, scattered over a 1600 x 1000
// frame at many depths, on one thread and on every thread. The figure that
// matters is the cost per triangle ("time_per_triangle", in seconds: the
// frame's wall time, clear included, over the triangle count), which at this size is mostly the
// fixed cost of a triangle and its rows rather than of its pixels.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "bench/bench_scene.h"
#include "bench/bench_stats.h"

namespace {

constexpr int32_t kWidth = 1600;
constexpr int32_t kHeight = 1000;

// `count` triangles about 3 pixels across at focal length 400, each with
// corners of its own, over the whole frame at camera z 1000..3000.
renderer::Mesh SmallTriangles(int32_t count) {
  std::mt19937 random(16);
  std::uniform_int_distribution<int32_t> z(1000, 3000);
  std::uniform_real_distribution<double> x(-0.5 * kWidth, 0.5 * kWidth);
  std::uniform_real_distribution<double> y(-0.5 * kHeight, 0.5 * kHeight);
  renderer::Mesh mesh;
  mesh.vertices.reserve(size_t(count) * 3);
  mesh.triangles.reserve(size_t(count));
  for (int32_t i = 0; i < count; ++i) {
    const int32_t depth = z(random);
    // Screen position (sx, sy) at depth z is camera (sx * z / 400, ...).
    const double scale = double(depth) / 400.0;
    const int32_t cx = int32_t(x(random) * scale);
    const int32_t cy = int32_t(y(random) * scale);
    const int32_t step = int32_t(3.0 * scale);
    const int32_t first = int32_t(mesh.vertices.size());
    mesh.vertices.push_back({cx, cy, depth});
    mesh.vertices.push_back({cx + step, cy + step / 3, depth + 5});
    mesh.vertices.push_back({cx + step / 3, cy + step, depth + 9});
    renderer::MeshTriangle triangle;
    for (int32_t k = 0; k < 3; ++k) {
      triangle.vertex[k] = first + k;
      triangle.colour[k] = 0x00304050u + 0x00010203u * uint32_t(i & 63);
    }
    mesh.triangles.push_back(triangle);
  }
  return mesh;
}

// Arguments: the triangle count and the thread count (0: one per hardware
// thread).
void BM_SmallTriangles(benchmark::State& state) {
  const int32_t count = int32_t(state.range(0));
  renderer::Scene scene;
  scene.meshes.push_back(SmallTriangles(count));
  renderer::SceneObject object;
  object.mesh = 0;
  object.position[2] = 0;
  scene.objects.push_back(object);
  scene.objects.push_back(renderer::SceneObject{});  // the light
  scene.objects.back().position[2] = -1000;
  scene.lightObject = 1;
  renderer::HeadlessTarget target;
  renderer::BindHeadlessTarget(target, kWidth, kHeight, kWidth, kHeight);
  renderer::View view;
  renderer::SetDemoProjection(view, target.target.clientRect,
                              target.clientCentre);
  renderer::WorkspacePtr workspace = renderer::MakeWorkspace();
  if (!renderer::SetThreadCount(*workspace, int32_t(state.range(1)))) {
    state.SkipWithError("thread count out of range");
    return;
  }
  const renderer::RenderStats& stats = renderer::Stats(*workspace);
  const int64_t before = stats.pixelsPassed;
  for (auto _ : state) {
    renderer::ClearClientArea(target, *workspace);
    renderer::RenderFrame(scene, view, target.target, *workspace);
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = benchmark::Counter(
      double(stats.pixelsPassed - before) / double(state.iterations()));
  state.counters["time_per_triangle"] = benchmark::Counter(
      double(count), benchmark::Counter::kIsIterationInvariantRate |
                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_SmallTriangles)
    ->ArgNames({"triangles", "threads"})
    ->ArgsProduct({{10000, 100000, 1000000}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()  // the frame's wall time, whatever threads drew it
    ->ComputeStatistics("min", FastestOf);

}  // namespace
