// Single triangles and a line, each drawn as a one-mesh scene into an
// 800 x 600 target of its own, so that every covered pixel passes the depth
// test (the most work a pixel can cost). Each frame also resets the
// target's 801 x 601 depth entries: BM_EmptyTargetFrame measures that part
// alone.
#include <benchmark/benchmark.h>

#include "bench/bench_scene.h"
#include "bench/bench_stats.h"

namespace {

// A tilted triangle about 400 x 300 pixels (some 60 000 pixels) and one
// about 10 pixels across (some 50 pixels), in camera space.
const renderer::IntVertex kLarge[3] = {
    {-1200, -900, 2000}, {1200, -900, 2400}, {0, 900, 2800}};
const renderer::IntVertex kSmall[3] = {
    {-30, -30, 2400}, {30, -30, 2450}, {0, 30, 2500}};
const double kTexels[3][2] = {{0, 0}, {256, 0}, {128, 256}};

// An 800 x 600 target with the demo's projection, and a scene of one mesh
// (empty until the caller fills it) on one object at the origin, lit from
// (0, 0, 3200) by a second object without a mesh.
struct OneMeshScene {
  renderer::Scene scene;
  renderer::View view;
  renderer::HeadlessTarget target;
  renderer::WorkspacePtr workspace = renderer::MakeWorkspace();

  OneMeshScene() {
    renderer::BindHeadlessTarget(target, 800, 600, 800, 600);
    renderer::SetDemoProjection(view, target.target.clientRect,
                                target.clientCentre);
    scene.meshes.emplace_back();
    renderer::SceneObject object;
    object.mesh = 0;
    object.position[2] = 0;
    scene.objects.push_back(object);
    scene.objects.push_back(renderer::SceneObject{});
    scene.lightObject = 1;
  }
  renderer::Mesh& mesh() { return scene.meshes[0]; }
};

void AddTriangle(OneMeshScene* s, const renderer::IntVertex (&corners)[3],
                 bool textured) {
  renderer::Mesh& mesh = s->mesh();
  renderer::MeshTriangle triangle;
  for (int i = 0; i < 3; ++i) {
    mesh.vertices.push_back(corners[i]);
    triangle.vertex[i] = i;
    triangle.colour[i] = 0x00406080u;
  }
  if (textured) {
    s->scene.textures = renderer::LoadTexturesFrom(RENDERER_TEXTURE_DIR);
    triangle.texture = 0;
  }
  renderer::SetTexels(mesh, triangle, kTexels);
  mesh.triangles.push_back(triangle);
}

// Arguments: the fill version (0 plain, then the vector targets best first,
// as SupportedFillPaths lists them: AVX3, AVX2, SSE4 on a processor with
// AVX-512; numbers past the list are skipped).
bool SelectPath(benchmark::State& state, OneMeshScene* s) {
  if (SelectFillPath(*s->workspace, state.range(0))) return true;
  state.SkipWithError("the processor lacks this fill version");
  return false;
}

void RunFrames(benchmark::State& state, OneMeshScene* s) {
  const renderer::RenderStats& stats = renderer::Stats(*s->workspace);
  const int64_t before = stats.pixelsPassed;
  for (auto _ : state) {
    renderer::RenderFrame(s->scene, s->view, s->target.target, *s->workspace);
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = benchmark::Counter(
      double(stats.pixelsPassed - before) / double(state.iterations()));
}

void BM_EmptyTargetFrame(benchmark::State& state) {
  OneMeshScene s;
  RunFrames(state, &s);
}
BENCHMARK(BM_EmptyTargetFrame)->ComputeStatistics("min", FastestOf);

// Second argument: 1 for the large triangle, 0 for the small one.
void BM_FillTexturedTriangle(benchmark::State& state) {
  OneMeshScene s;
  if (!SelectPath(state, &s)) return;
  AddTriangle(&s, state.range(1) ? kLarge : kSmall, true);
  RunFrames(state, &s);
}
BENCHMARK(BM_FillTexturedTriangle)
    ->ArgNames({"path", "large"})
    ->ArgsProduct({{0, 1, 2, 3}, {1, 0}})
    ->ComputeStatistics("min", FastestOf);

void BM_FillFlatTriangle(benchmark::State& state) {
  OneMeshScene s;
  if (!SelectPath(state, &s)) return;
  AddTriangle(&s, kLarge, false);
  RunFrames(state, &s);
}
BENCHMARK(BM_FillFlatTriangle)
    ->ArgName("path")
    ->DenseRange(0, 3)
    ->ComputeStatistics("min", FastestOf);

// A line of about 530 steps.
void BM_DrawLine(benchmark::State& state) {
  OneMeshScene s;
  s.mesh().vertices = {{-1000, -500, 2000}, {1000, 400, 2600}};
  s.mesh().lines.push_back(renderer::MeshLine{0, 1, 0x00FF0000, 0x000000FF});
  RunFrames(state, &s);
}
BENCHMARK(BM_DrawLine)->ComputeStatistics("min", FastestOf);

}  // namespace
