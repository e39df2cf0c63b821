#pragma once
// The scene part of the application record: what the window shows and
// draws with.
#include <cstdint>
#include <memory>

#include "renderer/renderer.h"

namespace app {

// The scene, its camera, the depth buffer and the renderer's workspace. The
// frame target is refreshed from the window before every frame.
struct SceneState {
  renderer::Scene scene;
  renderer::View view;
  renderer::FrameTarget target;
  std::unique_ptr<float[], renderer::DepthDeleter> depth;
  int64_t depthEntries = 0;
  renderer::WorkspacePtr workspace;
  int32_t animatedObject = 0;  // turned by the animation; selected first
  int32_t builtinMesh = 0;     // the built-in model's mesh, or kNoMesh
};

}  // namespace app
