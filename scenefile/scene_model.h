#pragma once
// Model files in scenes: as a mesh of a scene file ({"file": PATH})
// and as a whole scene of their own (the model scene).
#include <string>

#include "scenefile/scene_description.h"
#include "scenefile/scene_layout.h"

namespace renderer {

// The model scene made from a model file: the light, object 0, with no mesh
// at (-3200, -3200, 0); object 1 the model at (0, 0, 3200) turned by
// rotateY 30 then rotateX -20; object 1 animated; the given sizes
// applied. On failure returns 0 with `error` set to one line naming the
// file, the place and the problem.
int32_t ReadModelScene(const std::string& fileName,
                       const SceneOverrides& overrides, SceneDescription* scene,
                       std::string* error);

}  // namespace renderer
