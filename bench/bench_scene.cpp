// Headless scenes for the benchmarks.
#include "bench/bench_scene.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// The demo scene with its images, read from the build's folder once.
const renderer::Scene& DemoScene() {
  static const renderer::Scene demo =
      renderer::MakeDemoScene(RENDERER_TEXTURE_DIR);
  return demo;
}

}  // namespace

void SetUpBenchScene(BenchScene* bench, int32_t clientWidth,
                     int32_t clientHeight, int32_t count) {
  renderer::BindHeadlessTarget(bench->target, kBenchDesktopWidth,
                               kBenchDesktopHeight, clientWidth, clientHeight);
  const renderer::Scene& demo = DemoScene();
  bench->scene.textures = demo.textures;
  bench->scene.meshes = demo.meshes;
  renderer::SceneObject object;
  object.mesh = 0;
  bench->scene.objects.assign(size_t(count > 0 ? count : 0), object);
  bench->scene.lightObject = 0;
  renderer::SetDemoProjection(bench->view, bench->target.target.clientRect,
                              bench->target.clientCentre);
}

void PoseObject(renderer::SceneObject* object, int32_t steps) {
  renderer::ResetObject(*object);
  for (int32_t s = 0; s < steps; ++s) {
    renderer::AnimateStep(object, nullptr, false, true);
  }
}

void PlaceOnGridCell(renderer::SceneObject* object, int32_t cell) {
  // 640 x 480 model units at z = 3200 are 80 x 60 pixels at focal length
  // 400: the 800 x 600 client holds ten columns and ten rows. Scaled to
  // 0.08 the model, fins included, stays inside its cell.
  PoseObject(object, 60);
  renderer::ScaleObject(*object, 0.08);
  object->position[0] = (cell % 10) * 640 - 2880;
  object->position[1] = (cell / 10 % 10) * 480 - 2160;
  object->position[2] = 3200;
}

void ArrangeInstanceGrid(BenchScene* bench, int32_t count) {
  std::vector<renderer::SceneObject>& objects = bench->scene.objects;
  for (int32_t i = 0; i < count && size_t(i) < objects.size(); ++i) {
    PlaceOnGridCell(&objects[size_t(i)], i);
  }
}

void DrawBenchFrame(BenchScene* bench) {
  renderer::FrameTarget& target = bench->target.target;
  const renderer::Rect& client = target.clientRect;
  renderer::ClearFrame(target, client.bottom - client.top - 1,
                       client.right - client.left - 1);
  renderer::RenderFrame(bench->scene, bench->view, target, *bench->workspace);
}

bool SelectFillPath(renderer::Workspace& workspace, int64_t index) {
  const std::vector<renderer::FillPath> paths = renderer::SupportedFillPaths();
  if (index < 0 || index >= int64_t(paths.size())) return false;
  return renderer::SetFillPath(workspace, paths[size_t(index)]);
}

renderer::Mesh BenchTorus(int32_t rings, int32_t sides, int32_t textureSize) {
  renderer::Mesh mesh;
  const double pi = std::numbers::pi;
  for (int32_t i = 0; i < rings; ++i) {
    const double a = 2 * pi * i / rings;
    for (int32_t j = 0; j < sides; ++j) {
      const double b = 2 * pi * j / sides;
      const double r = 2400.0 + 900.0 * std::cos(b);
      mesh.vertices.push_back({int32_t(r * std::cos(a)),
                               int32_t(900.0 * std::sin(b)),
                               int32_t(r * std::sin(a))});
    }
  }
  const double su = 8.0 * textureSize / rings;
  const double sv = 4.0 * textureSize / sides;
  for (int32_t i = 0; i < rings; ++i) {
    for (int32_t j = 0; j < sides; ++j) {
      const int32_t i1 = (i + 1) % rings;
      const int32_t j1 = (j + 1) % sides;
      const int32_t k00 = i * sides + j, k10 = i1 * sides + j;
      const int32_t k01 = i * sides + j1, k11 = i1 * sides + j1;
      const double u0 = i * su, u1 = (i + 1) * su;
      const double v0 = j * sv, v1 = (j + 1) * sv;
      renderer::AddTexturedTriangle(mesh, {k00, k10, k11}, 0,
                                    {{u0, v0}, {u1, v0}, {u1, v1}});
      renderer::AddTexturedTriangle(mesh, {k00, k11, k01}, 0,
                                    {{u0, v0}, {u1, v1}, {u0, v1}});
    }
  }
  return mesh;
}
