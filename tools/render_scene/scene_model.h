#pragma once
// Model files in render-scene: as a mesh of a scene file ({"file": PATH})
// and as a whole scene of their own (--scene MODEL).
#include <string>

#include "tools/render_scene/scene_description.h"
#include "tools/render_scene/scene_layout.h"

// True when `fileName` names a model file (.obj, .gltf, .glb).
bool IsModelScene(const std::string& fileName);

// The model scene made from a model file: the light, object 0, with no mesh
// at (-3200, -3200, 0); object 1 the model at (0, 0, 3200) turned by
// rotateY 30 then rotateX -20; object 1 animated; the command line's sizes
// applied. On failure returns 0 with `error` set to one line naming the
// file, the place and the problem.
int32_t LoadModelScene(const std::string& fileName,
                       const SceneOverrides& overrides, SceneDescription* scene,
                       std::string* error);
