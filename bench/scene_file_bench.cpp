// Reading scene files: a large mesh (a grid of triangles, about 75 bytes of
// text each) parsed and checked into a SceneDescription, and a long
// top-level array of small objects, which is parsed whole before it is
// refused. Both should cost time in proportion to the text's length.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/bench_stats.h"
#include "scenefile/scene_reader.h"

using renderer::ParseSceneText;
using renderer::SceneDescription;
using renderer::SceneError;
using renderer::SceneOverrides;

namespace {

// A scene whose one mesh is a grid of `triangles` triangles (rounded up to
// whole grid rows), every corner a distinct colour.
std::string GridSceneText(int64_t triangles) {
  int64_t side = 2;
  while (2 * (side - 1) * (side - 1) < triangles) ++side;
  std::string text = "{\"meshes\": [{\"vertices\": [";
  for (int64_t y = 0; y < side; ++y) {
    for (int64_t x = 0; x < side; ++x) {
      if (x + y > 0) text += ',';
      text += '[' + std::to_string(x * 4 - 2000) + ',' +
              std::to_string(y * 4 - 2000) + ',' +
              std::to_string(3000 + (x * y) % 17) + ']';
    }
  }
  text += "], \"triangles\": [";
  int64_t written = 0;
  for (int64_t y = 0; y + 1 < side && written < triangles; ++y) {
    for (int64_t x = 0; x + 1 < side && written < triangles; ++x) {
      const int64_t a = y * side + x;
      const int64_t corners[2][3] = {{a, a + 1, a + side},
                                     {a + 1, a + side + 1, a + side}};
      for (const auto& corner : corners) {
        if (written++ > 0) text += ',';
        text += "{\"vertex\":[" + std::to_string(corner[0]) + ',' +
                std::to_string(corner[1]) + ',' + std::to_string(corner[2]) +
                "],\"colour\":[" + std::to_string(a * 7919 % 16777216) +
                ",16711680,65280]}";
      }
    }
  }
  return text + "]}], \"objects\": [{\"position\": [0, -0, 0]}]}";
}

void BM_ReadSceneMesh(benchmark::State& state) {
  const std::string text = GridSceneText(state.range(0));
  for (auto _ : state) {
    SceneDescription scene;
    SceneError error;
    if (!ParseSceneText(text, "", SceneOverrides{}, &scene, &error)) {
      state.SkipWithError((error.path + ": " + error.problem).c_str());
      break;
    }
    benchmark::DoNotOptimize(scene.meshes[0].triangles.data());
  }
  state.SetBytesProcessed(state.iterations() * int64_t(text.size()));
  state.counters["MB"] = double(text.size()) * 1e-6;
}
BENCHMARK(BM_ReadSceneMesh)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", FastestOf);

void BM_ReadTopLevelArray(benchmark::State& state) {
  std::string text = "[";
  for (int64_t i = 0; i < state.range(0); ++i) {
    text += (i > 0 ? ",{\"a\": " : "{\"a\": ") + std::to_string(i) + "}";
  }
  text += "]";
  for (auto _ : state) {
    SceneDescription scene;
    SceneError error;
    benchmark::DoNotOptimize(
        ParseSceneText(text, "", SceneOverrides{}, &scene, &error));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadTopLevelArray)
    ->Arg(25000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", FastestOf);

}  // namespace
