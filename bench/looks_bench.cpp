// The looks on a big model: the 102 400-triangle textured torus that
// bench/make-big-scene writes (320 rings of 160 sides, its checker image
// repeated round it), tilted 60 degrees, at 1600 x 1000 on every hardware
// thread. One run gives each look's frame beside the flat one: flat,
// smooth, smooth with bilinear texels, and 4 and 16 samples per pixel.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/bench_scene.h"
#include "bench/bench_stats.h"

namespace {

constexpr int32_t kTextureSize = 256;

// make-big-scene's checker: 32-texel squares, two tones with gradients.
renderer::Texture CheckerTexture() {
  std::vector<uint32_t> pixels;
  for (int32_t y = 0; y < kTextureSize; ++y) {
    for (int32_t x = 0; x < kTextureSize; ++x) {
      const bool on = ((x / 32) + (y / 32)) % 2 == 0;
      const uint32_t r = on ? 200 : 40;
      const uint32_t g = on ? uint32_t(60 + y / 2) : 90;
      const uint32_t b = on ? 40 : uint32_t(120 + x / 4);
      pixels.push_back((r << 16) | (g << 8) | b);
    }
  }
  return renderer::MakeTexture(kTextureSize, kTextureSize, pixels.data());
}

// The looks by argument: 0 flat, 1 smooth, 2 smooth + bilinear, 3 flat
// with 4 samples, 4 flat with 16, 5 smooth + bilinear with 4.
renderer::Looks LooksOf(int64_t index) {
  using renderer::Shading;
  using renderer::TextureFilter;
  const bool smooth = index == 1 || index == 2 || index == 5;
  const bool bilinear = index == 2 || index == 5;
  return renderer::Looks{smooth ? Shading::kSmooth : Shading::kFlat,
                         bilinear ? TextureFilter::kBilinear
                                  : TextureFilter::kNearest,
                         index == 3 || index == 5 ? 4 : index == 4 ? 16 : 1};
}

void BM_LooksTorus(benchmark::State& state) {
  BenchScene bench;
  SetUpBenchScene(&bench, 1600, 1000, 0);
  static const renderer::Mesh torus = BenchTorus(320, 160, kTextureSize);
  bench.scene = renderer::Scene{};
  bench.scene.textures.push_back(CheckerTexture());
  bench.scene.meshes.push_back(torus);
  renderer::SceneObject object;
  object.mesh = 0;
  renderer::RotateObjectX(object, 60);
  object.position[2] = 4500;
  bench.scene.objects = {object};
  bench.view.looks = LooksOf(state.range(0));
  renderer::SetThreadCount(*bench.workspace, 0);
  DrawBenchFrame(&bench);  // the first frame sizes the buffers
  const renderer::RenderStats& stats = renderer::Stats(*bench.workspace);
  const int64_t before = stats.pixelsPassed;
  for (auto _ : state) DrawBenchFrame(&bench);
  state.SetLabel(std::string(renderer::ShadingName(bench.view.looks.shading)) +
                 " " +
                 renderer::TextureFilterName(bench.view.looks.textureFilter) +
                 " x" + std::to_string(bench.view.looks.samples));
  state.counters["threads"] =
      double(renderer::ThreadCount(*bench.workspace));
  state.counters["pixels"] = benchmark::Counter(
      double(stats.pixelsPassed - before) / double(state.iterations()));
}
BENCHMARK(BM_LooksTorus)
    ->ArgName("look")
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", FastestOf);

}  // namespace
