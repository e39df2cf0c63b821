#pragma once
// Everything between a checked scene and its first frame, for the scene
// file and for the demo, so that LoadScene, the tests and a fuzzer set a
// scene up the same way.
#include <string>
#include <vector>

#include "renderer/scene_file.h"
#include "scenefile/scene_build.h"
#include "scenefile/scene_description.h"

namespace renderer {

// Sets the sizes and camera, builds the scene (the built-in model's images
// from `builtinFolder` unless the scene names a folder) and runs `steps`
// animation steps. The model files' meshes and textures are taken over,
// not copied (a large model is not held twice).
void SetUpScene(SceneDescription&& scene, const std::string& builtinFolder,
                int32_t steps, LoadedScene* loaded,
                std::vector<TextureNote>* notes);

// The demo at the scene's sizes: the built-in model with the images from
// `textureFolder`, one object as at start-up, the demo's projection, then
// `steps` animation steps.
void SetUpDemo(const SceneDescription& sizes, const std::string& textureFolder,
               int32_t steps, LoadedScene* loaded,
               std::vector<TextureNote>* notes);

}  // namespace renderer
