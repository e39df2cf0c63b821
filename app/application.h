#pragma once
// Start-up, the message loop and tear-down.
#include <cstdint>

struct OpenedScene;

// Exit status of a start-up that failed.
constexpr int32_t kStartupFailedStatus = 1;

// Registers the class, creates and shows the window, sets the console's
// title, creates the frame buffer, starts the demo and runs the loop until
// the quit message. Returns the quit message's exit code, or
// kStartupFailedStatus when the window system or the window cannot be had.
// `opened`, when given, is shown instead of the demo.
int32_t RunApplication(OpenedScene* opened = nullptr);

// The start-up steps before the demo: registers the class, creates the
// window, keeps the desktop handle and the window's device context, sets the
// console's title, shows the window and creates the frame buffer. Returns 1,
// or 0 after the failure's message box.
int32_t StartApplication();

// Polls (or, with blockingLoop, waits) for one message per pass, dispatches
// it, and renders through IdleTick, until the quit message. Returns its exit
// code.
int32_t RunMessageLoop();
