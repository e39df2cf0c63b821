#pragma once
// Scenes the desktop program opens from files: a scene file (.json) or a
// model file (.obj, .gltf, .glb), given on the command line or dropped on
// the window.
#include <cstdint>
#include <string>

#include "renderer/renderer.h"

namespace app {

// What the window shows from a file: the scene, the object the animation
// turns and the controls start on, the built-in model's mesh (whose fins
// scroll) or kNoMesh, and the camera's focal length and near plane.
struct OpenedScene {
  renderer::Scene scene;
  int32_t animatedObject = 0;
  int32_t builtinMesh = renderer::kNoMesh;
  int32_t focalLength = 400;
  int32_t nearZ = 2;
};

// Reads and builds the scene in `path` (the built-in model's images from the
// working directory). A model's missing material files and images are
// each named on standard error. On failure returns false with `error` set
// to one line naming the file, the place in it and the problem.
bool OpenSceneFile(const std::string& path, OpenedScene* opened,
                   std::string* error);

// UTF-8 text as wide characters, for the window system's message box.
std::wstring WidenUtf8(const std::string& text);

}  // namespace app
