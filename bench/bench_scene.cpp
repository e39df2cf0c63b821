// Headless scenes for the benchmarks.
#include "bench/bench_scene.h"

#include <vector>

#include "render/demo_scene.h"
#include "render/fill_dispatch.h"
#include "render/frame_buffer.h"
#include "render/headless_target.h"
#include "render/render_context.h"
#include "scene/model.h"
#include "scene/scene_object.h"
#include "scene/texture.h"

namespace {

HeadlessTarget target = {};

void LoadModelOnce() {
  static bool loaded = false;
  if (loaded) return;
  LoadTexturesFrom(RENDERER_TEXTURE_DIR);
  BuildModel();
  loaded = true;
}

}  // namespace

void SetUpBenchScene(int32_t clientWidth, int32_t clientHeight, int32_t count) {
  LoadModelOnce();
  BindHeadlessTarget(&target, kBenchDesktopWidth, kBenchDesktopHeight,
                     clientWidth, clientHeight);
  CreateSceneObjects(count);
  for (int32_t i = 0; i < objectCount; ++i) {
    BindObjectMesh(&sceneObjects[i], builtinModel);
  }
  SetDemoProjection(&renderContext, target.clientRect, target.clientCentre);
  AllocateRenderBuffers(&renderContext);
}

void PoseObject(int32_t objectIndex, int32_t steps) {
  SceneObject* object = &sceneObjects[objectIndex];
  ResetObject(object);
  for (int32_t s = 0; s < steps; ++s) {
    RotateObjectX(object, 0.5);
    RotateObjectY(object, 1);
  }
}

void PlaceOnGridCell(int32_t objectIndex, int32_t cell) {
  // 640 x 480 model units at z = 3200 are 80 x 60 pixels at focal length
  // 400: the 800 x 600 client holds ten columns and ten rows. Scaled to
  // 0.08 the model, fins included, stays inside its cell.
  SceneObject* object = &sceneObjects[objectIndex];
  PoseObject(objectIndex, 60);
  ScaleObject(object, 0.08);
  object->position[0] = (cell % 10) * 640 - 2880;
  object->position[1] = (cell / 10 % 10) * 480 - 2160;
  object->position[2] = 3200;
}

void ArrangeInstanceGrid(int32_t count) {
  for (int32_t i = 0; i < count && i < objectCount; ++i) PlaceOnGridCell(i, i);
}

void DrawBenchFrame() {
  const Rect& client = target.clientRect;
  ClearFrame(client.bottom - client.top - 1, client.right - client.left - 1);
  RenderScene();
}

ClippedTriangle MakeBenchTriangle(const int32_t corners[3][3],
                                  const double uv[3][2],
                                  int32_t triangleIndex) {
  const RenderContext& rc = renderContext;
  ClippedTriangle t = {};
  for (int i = 0; i < 3; ++i) {
    ClipVertex& v = t.corners[i];
    v.x = corners[i][0];
    v.y = corners[i][1];
    v.z = corners[i][2];
    v.screenX = (double(v.x) * rc.focalLength) / double(v.z) + rc.centreX;
    v.screenY = (double(v.y) * rc.focalLength) / double(v.z) + rc.centreY;
    v.colour = 0x00406080u;
    v.u = uv[i][0];
    v.v = uv[i][1];
  }
  t.objectIndex = 0;
  t.triangleIndex = triangleIndex;
  return t;
}

bool SelectFillPath(int64_t index) {
  const std::vector<FillPath> paths = FillPathsHere();
  if (index < 0 || index >= int64_t(paths.size())) return false;
  UseFillPath(paths[size_t(index)]);
  return true;
}
