#pragma once
// Start-up, the message loop and tear-down.
#include <cstdint>

#include "app/app.h"

namespace app {

struct OpenedScene;

// Exit status of a start-up that failed.
constexpr int32_t kStartupFailedStatus = 1;

// Registers the class, creates and shows the window, sets the console's
// title, creates the frame buffer, starts the demo and runs the loop until
// the quit message, then releases the window's resources. Returns the quit
// message's exit code, or kStartupFailedStatus when the window system or the
// window cannot be had. `opened`, when given, is shown instead of the demo.
int32_t RunApplication(App& app, OpenedScene* opened = nullptr);

// The start-up steps before the demo: registers the class, creates the
// window with `app` as its context, keeps the desktop handle and the
// window's device context, sets the console's title, shows the window and
// creates the frame buffer. Returns 1, or 0 after the failure's message box.
int32_t StartApplication(App& app);

// Polls (or, with blockingLoop, waits) for one message per pass, dispatches
// it, and renders through IdleTick, until the quit message. Returns its exit
// code.
int32_t RunMessageLoop(App& app);

// Releases what start-up acquired: the console's title, the window's device
// context, the frame buffer.
void TearDown(App& app);

}  // namespace app
