// Headless scenes for the benchmarks.
#include "bench/bench_scene.h"

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
