#pragma once
// The headless frame: the frame buffer and window geometry, the render
// context's camera and viewport, and drawing one frame.
#include "render/headless_target.h"
#include "tools/render_scene/scene_description.h"

// Allocates the frame buffer for the scene's sizes and binds the renderer's
// frame short-cuts to it.
void BindSceneTarget(const SceneDescription& scene, HeadlessTarget* target);

// Sets the render context's focal length, near z, viewport and centre.
void SetSceneCamera(const SceneDescription& scene);

// Fills the client area with the background grey, as every frame starts.
void ClearClientArea(const HeadlessTarget& target);

// One frame as the desktop program draws it, without the text overlay:
// clear the client area, then the scene pass.
void DrawSceneFrame(const HeadlessTarget& target);
