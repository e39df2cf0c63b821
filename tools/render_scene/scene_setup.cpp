#include "tools/render_scene/scene_setup.h"

#include "render/demo_scene.h"
#include "render/frame_buffer.h"
#include "render/render_context.h"
#include "scene/animation.h"
#include "scene/scene_object.h"
#include "tools/render_scene/scene_frame.h"

void StepSceneAnimation(int32_t usesBuiltin) {
  AnimateStep(0, usesBuiltin ? 0 : 1);
}

void SetUpSceneFrame(const SceneDescription& scene,
                     const std::string& builtinFolder, int32_t steps,
                     HeadlessTarget* target, BuiltScene* built,
                     std::vector<TextureNote>* notes) {
  BindSceneTarget(scene, target);
  SetSceneCamera(scene);
  BuildScene(scene, builtinFolder, built, notes);
  AllocateRenderBuffers(&renderContext);
  for (int32_t step = 0; step < steps; ++step) {
    StepSceneAnimation(built->usesBuiltin);
  }
}

void SetUpDemoFrame(const SceneDescription& sizes,
                    const std::string& textureFolder, int32_t steps,
                    HeadlessTarget* target, std::vector<TextureNote>* notes) {
  BindSceneTarget(sizes, target);
  SetupDemoScene(textureFolder.c_str());
  NoteEmptyBuiltinImages(textureFolder, notes);
  SetDemoProjection(&renderContext, target->clientRect, target->clientCentre);
  AllocateRenderBuffers(&renderContext);
  for (int32_t step = 0; step < steps; ++step) StepSceneAnimation(1);
}

void ReleaseSceneFrame(HeadlessTarget* target, BuiltScene* built) {
  ReleaseFrameBufferPixels(target->pixels);
  target->pixels = nullptr;
  target->bufferSize = IntPoint{0, 0};
  target->pitch = 0;
  // The objects point at the scene's meshes: they go first.
  CreateSceneObjects(0);
  ReleaseBuiltScene(built);
}
