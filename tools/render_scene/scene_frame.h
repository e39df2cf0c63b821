#pragma once
// The headless frame: the frame buffer and depth buffer, the camera and
// viewport, the built scene and the workspace, and drawing one frame.
#include "renderer/renderer.h"
#include "tools/render_scene/scene_build.h"
#include "tools/render_scene/scene_description.h"

// Everything one headless frame needs, owned in one record.
struct SceneFrame {
  renderer::HeadlessTarget target;
  renderer::View view;
  BuiltScene built;
  renderer::WorkspacePtr workspace = renderer::MakeWorkspace();
};

// Gives the target the scene's frame buffer and client sizes.
void BindSceneTarget(const SceneDescription& scene,
                     renderer::HeadlessTarget* target);

// Sets the view's focal length, near z, viewport and centre.
void SetSceneCamera(const SceneDescription& scene, renderer::View* view);

// Fills the client area with the background grey, as every frame starts.
// The workspace's threads share the rows.
void ClearClientArea(renderer::HeadlessTarget& target,
                     renderer::Workspace& workspace);

// One frame as the desktop program draws it, without the text overlay:
// clear the client area, then the scene pass.
void DrawSceneFrame(SceneFrame& frame);
