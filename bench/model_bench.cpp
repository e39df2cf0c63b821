// A model from a file: a generated sphere of 100 000 triangles, written as
// .glb, read by LoadModel and drawn as the model scene shows it (lit from
// object 0, turned to the three-quarter view) at 800 x 600.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/bench_scene.h"
#include "bench/bench_stats.h"
#include "testmodels/model_catalog.h"
#include "testmodels/model_writers.h"

namespace {

// The sphere as a .glb file in the temporary folder; its path.
std::string WriteSphere(long triangles) {
  const auto dir = std::filesystem::temp_directory_path();
  const models::FileSet files = models::WriteGltf(
      models::BigSphere(triangles), "renderer-bench-sphere",
      models::GltfLayout::kBinary, models::ImageKind::kPng);
  for (const auto& [name, bytes] : files) {
    FILE* out = std::fopen((dir / name).c_str(), "wb");
    if (out == nullptr) return "";
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
  return (dir / "renderer-bench-sphere.glb").string();
}

void BM_ModelFrame(benchmark::State& state) {
  BenchScene bench;
  SetUpBenchScene(&bench, 800, 600, 0);
  const std::string path = WriteSphere(long(state.range(0)));
  renderer::Mesh mesh;
  std::vector<std::string> warnings;
  std::string error;
  bench.scene = renderer::Scene{};
  if (!renderer::LoadModel(path, mesh, bench.scene.textures, warnings, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::filesystem::remove(path);
  bench.scene.meshes.push_back(std::move(mesh));
  renderer::SceneObject light, model;
  light.position[0] = light.position[1] = -3200;
  light.position[2] = 0;
  model.mesh = 0;
  renderer::RotateObjectY(model, 30);
  renderer::RotateObjectX(model, -20);
  bench.scene.objects = {light, model};
  const renderer::RenderStats& stats = renderer::Stats(*bench.workspace);
  const int64_t before = stats.pixelsPassed;
  for (auto _ : state) DrawBenchFrame(&bench);
  state.counters["triangles"] = double(bench.scene.meshes[0].triangles.size());
  state.counters["pixels"] = benchmark::Counter(
      double(stats.pixelsPassed - before) / double(state.iterations()));
}
BENCHMARK(BM_ModelFrame)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", FastestOf);

}  // namespace
