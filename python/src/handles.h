#pragma once
// The records the Python types hold: a mesh with the textures its triangles
// name, a scene shared by its objects and their array views, a renderer's
// view, workspace and frame memory, and a drawn frame.
#include <cstdint>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <vector>

#include <pybind11/pybind11.h>

#include "renderer/renderer.h"
#include "renderer/scene_file.h"

namespace renderer_py {

// A mesh on its own: its triangles' texture indices name `textures`, which
// move into a scene's texture list (indices shifted) when it is added.
struct MeshHandle {
  renderer::Mesh mesh;
  std::vector<renderer::Texture> textures;
};

// A scene as the library loads one: the scene, its animation's object and
// model, and the client size and view its file gives. Frames are drawn from
// it without the interpreter lock, under a shared lock; every change takes
// the lock exclusively. Orientation arrays point into `scene.objects`, so no
// object may be added while one of them is alive (`views`).
struct SceneHandle {
  renderer::LoadedScene loaded;
  renderer::Scene& scene = loaded.scene;
  std::shared_mutex lock;
  int64_t views = 0;  // orientation arrays alive; changed with the GIL held
};

// One object of a scene, by index (objects are never removed).
struct ObjectRef {
  std::shared_ptr<SceneHandle> scene;
  int32_t index = 0;
};

// Frame memory a renderer hands out and takes back: a frame owns its target
// while it lives and returns it here, so a loop of frames reuses the same
// two targets and allocates nothing.
struct FramePool {
  std::mutex lock;
  std::vector<std::unique_ptr<renderer::HeadlessTarget>> spare;
};

// The view, the workspace and the frame memory of one renderer. `busy`
// keeps two threads from drawing with one workspace at once.
struct RendererHandle {
  int32_t width = 0;
  int32_t height = 0;
  int32_t threads = 0;  // as asked for (0: one per hardware thread)
  renderer::View view;
  renderer::WorkspacePtr workspace = renderer::MakeWorkspace();
  std::mutex busy;
  std::shared_ptr<FramePool> pool = std::make_shared<FramePool>();
};

// A drawn frame: its own target until it is dropped, then back to the pool
// (when the renderer still lives); its arrays, once made.
struct FrameHandle {
  std::unique_ptr<renderer::HeadlessTarget> target;
  std::weak_ptr<FramePool> pool;
  pybind11::object color;
  pybind11::object depth;
  FrameHandle() = default;
  FrameHandle(const FrameHandle&) = delete;
  FrameHandle& operator=(const FrameHandle&) = delete;
  ~FrameHandle();
};

}  // namespace renderer_py
