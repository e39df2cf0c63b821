#pragma once
// The frame drawn in one band on the calling thread.
#include "render/draw_area.h"

namespace renderer {

// One frame into `target` with `context` (its band the whole area, its
// scratch record worker 0's): the depth reset (DrawnRows), every object
// transformed
// and projected, then every object's triangles and lines in scene order.
// Counts and stage times go to the context's scratch record.
void DrawSceneOneBand(DrawContext& context, const Scene& scene,
                      const FrameTarget& target, Workspace& workspace);

}  // namespace renderer
