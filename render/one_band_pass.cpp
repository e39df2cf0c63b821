// The one-band frame: every step in turn on the calling thread.
#include "render/one_band_pass.h"

#include "render/scene_steps.h"

namespace renderer {

void DrawSceneOneBand(DrawContext& context, const Scene& scene,
                      const FrameTarget& target, Workspace& workspace) {
  RenderStats& counters = context.scratch.counters;
  ResetDepthRows(workspace.drawn, target, context.kernels, counters, 0,
                 DepthRowsOf(target));
  TransformScene(context.view, scene, workspace);
  const int64_t start = StageStart(counters);
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh != nullptr) {
      DrawObjectTriangles(context, scene, *mesh, workspace.objects[i]);
      DrawObjectLines(context, *mesh, workspace.objects[i]);
    }
  }
  AddStageTime(counters, start, counters.fillNs);
}

}  // namespace renderer
