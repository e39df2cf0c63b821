#include "scenefile/scene_setup.h"

#include <utility>

#include "scenefile/scene_frame.h"

namespace renderer {

namespace {

void RunSteps(int32_t steps, LoadedScene* loaded) {
  for (int32_t step = 0; step < steps; ++step) StepSceneAnimation(*loaded);
}

}  // namespace

void StepSceneAnimation(LoadedScene& loaded) {
  Scene& scene = loaded.scene;
  const size_t animated = size_t(loaded.animatedObject);
  SceneObject* object =
      animated < scene.objects.size() ? &scene.objects[animated] : nullptr;
  Mesh* model = loaded.builtinMesh == kNoMesh
                    ? nullptr
                    : &scene.meshes[size_t(loaded.builtinMesh)];
  AnimateStep(object, model, false, model == nullptr);
}

void SetUpScene(SceneDescription&& scene, const std::string& builtinFolder,
                int32_t steps, LoadedScene* loaded,
                std::vector<TextureNote>* notes) {
  SetSceneSizes(scene, loaded);
  SetSceneCamera(scene, &loaded->view);
  loaded->animationSteps = scene.animationSteps;
  BuildScene(std::move(scene), builtinFolder, loaded, notes);
  RunSteps(steps, loaded);
}

void SetUpDemo(const SceneDescription& sizes, const std::string& textureFolder,
               int32_t steps, LoadedScene* loaded,
               std::vector<TextureNote>* notes) {
  SetSceneSizes(sizes, loaded);
  loaded->scene = MakeDemoScene(textureFolder.c_str());
  loaded->builtinMesh = 0;
  loaded->animatedObject = 0;
  loaded->animationSteps = sizes.animationSteps;
  NoteEmptyBuiltinImages(textureFolder, loaded->scene.textures.data(), notes);
  // The client area sits at the frame's top left, as BindHeadlessTarget
  // places it.
  SetDemoProjection(loaded->view,
                    Rect{0, 0, sizes.clientWidth, sizes.clientHeight},
                    IntPoint{sizes.clientWidth >> 1, sizes.clientHeight >> 1});
  RunSteps(steps, loaded);
}

}  // namespace renderer
