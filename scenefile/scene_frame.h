#pragma once
// The headless frame of a scene file: the sizes and camera a checked
// description gives a loaded scene. Binding the frame buffer and drawing
// are in renderer/scene_file.h.
#include "renderer/scene_file.h"
#include "scenefile/scene_description.h"

namespace renderer {

// Copies the frame buffer and client sizes.
void SetSceneSizes(const SceneDescription& scene, LoadedScene* loaded);

// Sets the view's focal length, near z, viewport and centre.
void SetSceneCamera(const SceneDescription& scene, View* view);

}  // namespace renderer
