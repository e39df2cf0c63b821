#pragma once
// Headless scenes for the benchmarks: the demo's model, its seven images,
// a desktop-sized frame buffer and the demo's projection.
#include <cstdint>

#include "render/clip.h"

constexpr int32_t kBenchDesktopWidth = 1920;
constexpr int32_t kBenchDesktopHeight = 1080;

// Loads the images and builds the model (once), binds a 1920 x 1080 frame
// buffer with a clientWidth x clientHeight client area, creates
// `objectCount` objects of the model and sizes the render buffers for them.
void SetUpBenchScene(int32_t clientWidth, int32_t clientHeight,
                     int32_t objectCount);

// Object 0's orientation after `steps` demo animation steps (0.5 degrees
// about X, then 1 degree about Y, each step), from the identity.
void PoseObject(int32_t objectIndex, int32_t steps);

// Places objects 0 .. count - 1 on the cells of a 10 x 10 grid over the
// client area, each scaled to 0.08 and turned to the same pose, so that
// every instance covers its own pixels. With fewer objects than `count`,
// only the existing ones are placed (on the first cells).
void ArrangeInstanceGrid(int32_t count);

// Puts object `objectIndex` on grid cell `cell` (0..99), as above.
void PlaceOnGridCell(int32_t objectIndex, int32_t cell);

// One frame as render-scene draws it: the client area cleared, then the
// scene pass.
void DrawBenchFrame();

// A triangle as the clipper hands it to the fills: camera-space corners
// projected with the current render context, texture coordinates in texels
// (or zero), belonging to triangle `triangleIndex` of object 0.
ClippedTriangle MakeBenchTriangle(const int32_t corners[3][3],
                                  const double uv[3][2], int32_t triangleIndex);

// Selects fill version `index` of FillPathsHere() (0: the plain fills);
// false when this processor has no such version.
bool SelectFillPath(int64_t index);
