// One frame: the workspace grown to the scene and target, then the scene
// drawn in one band or in several, and the workers' counters added up.
#include <algorithm>

#include "render/band_pass.h"
#include "renderer/int32.h"
#include "render/looks_fill.h"
#include "render/one_band_pass.h"
#include "render/scene_steps.h"
#include "render/supersample.h"
#include "renderer/render.h"

namespace renderer {

namespace {

// Rows the span table needs so that it never cuts what the frame buffer
// and the depth buffer both hold.
int32_t RowsNeeded(const FrameTarget& target) {
  const int32_t rows = std::min(FrameViewOf(target).rows,
                                DepthViewOf(target).rows);
  return rows < kInt32Max ? rows + 1 : rows;
}

// The frame, after the colour clear `clear` (or none): in bands, each
// band clears its own rows first.
void DrawFrame(const Scene& scene, const View& view, const FrameTarget& target,
               Workspace& workspace, const ColourClearRows* clear) {
  PrepareWorkspace(workspace, scene, RowsNeeded(target));
  PrepareLooks(workspace, scene, view.looks);
  DrawContext context =
      MakeDrawContext(view, target, workspace, FrameLight(scene, view.looks));
  context.drawn = StartDrawnRows(workspace.drawn, target);
  StartWorkerCounters(workspace);
  const int32_t bands = BandCount(workspace, context.area);
  if (bands > 1) {
    DrawSceneInBands(context, scene, target, workspace, bands, clear);
  } else {
    if (clear != nullptr) ClearRowsInBands(target, *clear, workspace);
    DrawSceneOneBand(context, scene, target, workspace);
  }
  FinishDrawnRows(workspace.drawn, target);
  AddWorkerCounters(workspace);
}

}  // namespace

void RenderFrame(const Scene& scene, const View& view,
                 const FrameTarget& target, Workspace& workspace) {
  if (DrawsSamples(view.looks)) {
    RenderSamples(scene, view, target, workspace);
    return;
  }
  DrawFrame(scene, view, target, workspace, nullptr);
}

void ClearAndRenderFrame(const Scene& scene, const View& view,
                         const FrameTarget& target, int32_t lastRow,
                         int32_t lastColumn, Workspace& workspace) {
  if (DrawsSamples(view.looks)) {
    ClearFrame(target, lastRow, lastColumn, workspace);
    RenderSamples(scene, view, target, workspace);
    return;
  }
  ColourClearRows clear;
  const bool clears =
      PlanColourClear(target, lastRow, lastColumn, workspace, &clear);
  DrawFrame(scene, view, target, workspace, clears ? &clear : nullptr);
}

}  // namespace renderer
