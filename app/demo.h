#pragma once
// The demo's driver: its start-up, the scenes opened from files, and the
// idle tick that renders a frame on every pass of the message loop and
// steps the animation on a fixed time step of more than 20 ms.
#include <cstdint>

#include "app/app.h"
#include "app/scene_source.h"

namespace app {

// Loads the images, builds the model and its one object, sets the
// projection and viewport from the client area and allocates the depth
// buffer ((W + 1) x (H + 1) entries from windowRect) and the workspace with
// the record's thread count. Returns 0.
int32_t InitDemo(App& app);

// Shows `opened` instead of the current scene: its objects, the animated
// object selected, its focal length and near plane with the window's centre
// and viewport.
void ShowOpenedScene(App& app, OpenedScene&& opened);

// Opens the scene or model file dropped on the window; an unreadable file
// leaves the scene as it is and shows why in a message box.
void OpenDroppedFile(App& app);

// Renders and presents a frame; advances the animation by one step when
// more than 20 ms have passed since the last step. Returns 0.
int32_t IdleTick(App& app);

}  // namespace app
