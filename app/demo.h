#pragma once
// The demo's driver: what the window shows and draws with, its start-up,
// and the idle tick that renders a frame on every pass of the message loop
// and steps the animation on a fixed time step of more than 20 ms.
#include <cstdint>

#include "app/scene_source.h"
#include "renderer/renderer.h"

// The demo scene, its camera, the depth buffer and the renderer's
// workspace; one per process, like the window record. The frame target is
// refreshed from the window record before every frame.
struct AppScene {
  renderer::Scene scene;
  renderer::View view;
  renderer::FrameTarget target;
  std::unique_ptr<float[], renderer::DepthDeleter> depth;
  int64_t depthEntries = 0;
  renderer::WorkspacePtr workspace;
  int32_t animatedObject = 0;  // turned by the animation; selected first
  int32_t builtinMesh = 0;     // the built-in model's mesh, or kNoMesh
};

extern AppScene appScene;
// Worker threads the workspace draws with (0: one per hardware thread);
// set from the command line before InitDemo.
extern int32_t renderThreadCount;
extern uint32_t lastAnimationTick;
extern int32_t rotationPaused;
extern int32_t textureScrollPaused;

// Loads the images, builds the model and its one object, sets the
// projection and viewport from the client area and allocates the depth
// buffer ((W + 1) x (H + 1) entries from windowRect) and the workspace.
// Returns 0.
int32_t InitDemo();

// Shows `opened` instead of the current scene: its objects, the animated
// object selected, its focal length and near plane with the window's centre
// and viewport.
void ShowOpenedScene(OpenedScene&& opened);

// Opens the scene or model file dropped on the window; an unreadable file
// leaves the scene as it is and shows why in a message box.
void OpenDroppedFile();

// Renders and presents a frame; advances the animation by one step when
// more than 20 ms have passed since the last step. Returns 0.
int32_t IdleTick();
