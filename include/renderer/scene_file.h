#pragma once
// Scene files: a JSON scene file, or a model file standing for a scene of its
// own, read, checked and built into a scene ready to draw, and a built scene
// written back as a scene file. Nothing here prints or exits: a file that is
// refused gives one line naming the file, the place in it and the problem,
// e.g. "scene.json: objects[0].mesh: index 3 out of range (2 meshes)".
//
// From a file to a drawn frame:
//   renderer::LoadedScene loaded;
//   std::string error;
//   if (!renderer::LoadScene("scene.json", {}, loaded, error)) ...
//   renderer::HeadlessTarget target;
//   renderer::BindSceneTarget(loaded, target);
//   renderer::WorkspacePtr workspace = renderer::MakeWorkspace();
//   renderer::DrawScene(loaded, target, *workspace);
// target.target.pixels then holds the frame render-scene draws for the file.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "renderer/frame_memory.h"
#include "renderer/render.h"
#include "renderer/scene.h"

namespace renderer {

// Sizes given beside a scene file (render-scene's --client and --desktop);
// a size that is given wins over the file's.
struct SceneOverrides {
  int32_t hasClient = 0;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  int32_t hasDesktop = 0;  // the frame buffer's size
  int32_t desktopWidth = 0;
  int32_t desktopHeight = 0;
};

// Looks given beside a scene file (render-scene's --shading,
// --texture-filter and --samples); each one given wins over the file's.
struct SceneLookChoices {
  std::optional<Shading> shading;
  std::optional<TextureFilter> textureFilter;
  std::optional<int32_t> samples;  // 1, 4 or 16
};

// LoadScene's steps: as many animation steps as the file's animationSteps.
constexpr int32_t kStepsFromFile = -1;

// How a scene is loaded.
struct SceneFileOptions {
  SceneOverrides sizes;
  // The built-in model's images when the file names no builtinTextures
  // folder ("": the working directory).
  std::string builtinTextures;
  // Animation steps run after building (StepSceneAnimation), or
  // kStepsFromFile.
  int32_t steps = kStepsFromFile;
  // What refusals and notes begin with; "" for the file's path.
  std::string name;
  SceneLookChoices looks;
};

// A scene built from a file, with everything needed to draw it as
// render-scene does.
struct LoadedScene {
  Scene scene;                // the file's textures first, then the model's
  int32_t builtinMesh = kNoMesh;  // the built-in model's mesh, whose fins scroll
  int32_t animatedObject = 0;     // the object animation steps turn
  int32_t frameWidth = 0;     // the frame buffer
  int32_t frameHeight = 0;
  int32_t clientWidth = 0;    // the client area, at the frame's top left
  int32_t clientHeight = 0;
  View view;                  // camera and viewport
  int32_t animationSteps = 0;  // the steps the file asks for
  // One line per texture or built-in image that could not be loaded and
  // stays empty; not errors, the scene draws without them.
  std::vector<std::string> notes;
  // One line per material file or image a model names that does not exist
  // (LoadModel's warnings): its faces draw without it.
  std::vector<std::string> modelWarnings;
};

// Reads, checks and builds the scene in `path`: a scene file, or a model file
// (.obj, .gltf, .glb) as LoadModelScene makes it; then runs the animation
// steps. Returns false with `error` set to one line on refusal.
bool LoadScene(const std::string& path, const SceneFileOptions& options,
               LoadedScene& loaded, std::string& error);

// The same for scene-file text whose relative paths are taken from
// `baseFolder` ("" for the working directory); messages begin with
// options.name.
bool LoadSceneText(const std::string& text, const std::string& baseFolder,
                   const SceneFileOptions& options, LoadedScene& loaded,
                   std::string& error);

// The model scene of a model file: object 0 the light, with no mesh, at
// (-3200, -3200, 0); object 1 the model at (0, 0, Z) turned by rotateY 30
// then rotateX -20, and animated, Z framing it to about 80 % of the
// client's smaller side; the default sizes and camera; smooth shading and
// bilinear texels, its faces without a material light grey.
bool LoadModelScene(const std::string& path, const SceneFileOptions& options,
                    LoadedScene& loaded, std::string& error);

// The demo as a scene: the built-in model from options.builtinTextures, one
// object as at start-up, the demo's projection, at the default or given sizes.
bool LoadDemoScene(const SceneFileOptions& options, LoadedScene& loaded,
                   std::string& error);

// True when `path` names a model file (.obj, .gltf, .glb).
bool IsModelScenePath(const std::string& path);

// One animation step: the animated object turns (when there is one) and,
// when the scene shows the built-in model, its fins scroll.
void StepSceneAnimation(LoadedScene& loaded);

// Gives `target` the scene's frame buffer and client area.
void BindSceneTarget(const LoadedScene& loaded, HeadlessTarget& target);

// Fills the client area with the background grey, as every frame starts;
// the workspace's threads share the rows.
void ClearClientArea(HeadlessTarget& target, Workspace& workspace);

// One frame as render-scene draws it: the client area cleared, then the
// scene drawn with the scene's view (in one pass: ClearAndRenderFrame).
void DrawScene(const LoadedScene& loaded, HeadlessTarget& target,
               Workspace& workspace);

// Writes the scene as a plain scene file at `path` (e.g. out.json) with its
// textures beside it as out-tex0.bmp, out-tex1.bmp, ... (opaqueWhite false,
// texels as they are): sizes, viewport, camera, every mesh spelt out, every
// object as it stands now, and the animated object. Loading the written file
// with no steps draws the same frame bit for bit. Returns false with
// `problem` set ("cannot write FILE") when a file cannot be written.
bool WriteScene(const std::string& path, const LoadedScene& loaded,
                std::string& problem);

}  // namespace renderer
