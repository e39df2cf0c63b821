#include "tools/render_scene/scene_setup.h"

void StepSceneAnimation(BuiltScene* built) {
  renderer::Scene& scene = built->scene;
  renderer::SceneObject* object =
      scene.objects.empty() ? nullptr : &scene.objects[0];
  renderer::Mesh* model = built->builtinMesh == renderer::kNoMesh
                              ? nullptr
                              : &scene.meshes[size_t(built->builtinMesh)];
  renderer::AnimateStep(object, model, false, model == nullptr);
}

void SetUpSceneFrame(const SceneDescription& scene,
                     const std::string& builtinFolder, int32_t steps,
                     SceneFrame* frame, std::vector<TextureNote>* notes) {
  BindSceneTarget(scene, &frame->target);
  SetSceneCamera(scene, &frame->view);
  BuildScene(scene, builtinFolder, &frame->built, notes);
  for (int32_t step = 0; step < steps; ++step) {
    StepSceneAnimation(&frame->built);
  }
}

void SetUpDemoFrame(const SceneDescription& sizes,
                    const std::string& textureFolder, int32_t steps,
                    SceneFrame* frame, std::vector<TextureNote>* notes) {
  BindSceneTarget(sizes, &frame->target);
  frame->built = BuiltScene{renderer::MakeDemoScene(textureFolder.c_str()), 0};
  NoteEmptyBuiltinImages(textureFolder, frame->built.scene.textures.data(),
                         notes);
  renderer::SetDemoProjection(&frame->view, frame->target.target.clientRect,
                              frame->target.clientCentre);
  for (int32_t step = 0; step < steps; ++step) {
    StepSceneAnimation(&frame->built);
  }
}
