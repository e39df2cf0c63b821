// The one-band frame: every step in turn on the calling thread.
#include "render/one_band_pass.h"

#include "render/band_bins.h"
#include "render/scene_steps.h"
#include "render/workspace.h"

namespace renderer {

void DrawSceneOneBand(DrawContext& context, const Scene& scene,
                      const FrameTarget& target, Workspace& workspace) {
  RenderStats& counters = context.scratch.counters;
  ResetDepthRows(workspace.drawn, target, context.kernels, counters, 0,
                 DepthRowsOf(target));
  TransformScene(context.view, scene, workspace);
  BandBins& bins = workspace.bins;
  const bool keyed = PrepareVertexKeys(bins, scene, workspace,
                                       context.area.top, context.area.bottom);
  const int64_t start = StageStart(counters);
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh == nullptr) continue;
    const ObjectVertices& vertices = workspace.objects[i];
    if (keyed) {
      KeyBinVertices(bins, context.view, workspace, i, 0,
                     mesh->vertices.size());
      DrawKeyedTriangles(context, scene, *mesh, vertices, ObjectKeys(bins, i));
    } else {
      DrawObjectTriangles(context, scene, *mesh, vertices);
    }
    DrawObjectLines(context, *mesh, vertices);
  }
  AddStageTime(counters, start, counters.fillNs);
}

}  // namespace renderer
