#pragma once
// Everything between a checked scene and its first frame, for the scene
// file and for the demo, so that render-scene, the tests and a fuzzer set a
// frame up the same way.
#include <string>
#include <vector>

#include "tools/render_scene/scene_build.h"
#include "tools/render_scene/scene_description.h"
#include "tools/render_scene/scene_frame.h"

// Binds the frame buffer, sets the camera, builds the scene (the built-in
// model's images from `builtinFolder` unless the scene names a folder) and
// runs `steps` animation steps.
void SetUpSceneFrame(const SceneDescription& scene,
                     const std::string& builtinFolder, int32_t steps,
                     SceneFrame* frame, std::vector<TextureNote>* notes);

// The demo at the scene's sizes: the built-in model with the images from
// `textureFolder`, one object as at start-up, the demo's projection, then
// `steps` animation steps.
void SetUpDemoFrame(const SceneDescription& sizes,
                    const std::string& textureFolder, int32_t steps,
                    SceneFrame* frame, std::vector<TextureNote>* notes);

// One demo animation step: object 0 turns (when there is one) and, when the
// scene shows the built-in model, its fin texture scrolls.
void StepSceneAnimation(BuiltScene* built);
