#pragma once
// The demo's scene set-up, shared by the desktop program, render-scene,
// the golden tests and the benchmarks.
#include "render/frame_target.h"
#include "render/render_context.h"

// Loads the seven images with `textureFolder` standing for the working
// directory ("" or null: the working directory), builds the built-in model,
// creates one object at (0, 0, 3200) and binds the model to it.
void SetupDemoScene(const char* textureFolder);

// Focal length 400, near z 2, centre from the client centre relative to the
// client area's top-left, viewport (0, 0, client width, client height).
void SetDemoProjection(RenderContext* context, const Rect& clientRect,
                       const IntPoint& clientCentre);
