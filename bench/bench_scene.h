#pragma once
// Headless scenes for the benchmarks: the demo's model and its seven
// images, a desktop-sized frame buffer and the demo's projection, all
// through the renderer's public interface.
#include <cstdint>

#include "renderer/renderer.h"

constexpr int32_t kBenchDesktopWidth = 1920;
constexpr int32_t kBenchDesktopHeight = 1080;

// One benchmark's scene, camera, target and workspace.
struct BenchScene {
  renderer::Scene scene;
  renderer::View view;
  renderer::HeadlessTarget target;
  renderer::WorkspacePtr workspace = renderer::MakeWorkspace();
};

// The demo's textures and model (loaded once), a 1920 x 1080 frame buffer
// with a clientWidth x clientHeight client area, `objectCount` objects of
// the model, and the demo's projection.
void SetUpBenchScene(BenchScene* bench, int32_t clientWidth,
                     int32_t clientHeight, int32_t objectCount);

// The object's orientation after `steps` demo animation steps (0.5 degrees
// about X, then 1 degree about Y, each step), from the identity.
void PoseObject(renderer::SceneObject* object, int32_t steps);

// Places objects 0 .. count - 1 on the cells of a 10 x 10 grid over the
// client area, each scaled to 0.08 and turned to the same pose, so that
// every instance covers its own pixels. With fewer objects than `count`,
// only the existing ones are placed (on the first cells).
void ArrangeInstanceGrid(BenchScene* bench, int32_t count);

// Puts the object on grid cell `cell` (0..99), as above.
void PlaceOnGridCell(renderer::SceneObject* object, int32_t cell);

// One frame as render-scene draws it: the client area cleared, then the
// scene.
void DrawBenchFrame(BenchScene* bench);

// Selects fill version `index` of SupportedFillPaths() (0: the plain fills,
// then the vector targets best first) for the workspace; false when this
// processor has no such version.
bool SelectFillPath(renderer::Workspace& workspace, int64_t index);

// make-big-scene's torus: `rings` x `sides` quads, two textured triangles
// each (texture 0), ring after ring; radii 2400 and 900, texel coordinates
// repeating a textureSize-square image 8 times round the ring and 4 times
// round the tube.
renderer::Mesh BenchTorus(int32_t rings, int32_t sides, int32_t textureSize);
