#pragma once
// What the window system underneath provides. The SDL2 back end implements
// these; unit tests link a scripted stand-in instead. Nothing here is for
// the application: it uses window_system.h and message_queue.h.
#include <cstdint>
#include <string>

#include "platform/window_system.h"

namespace platform {

struct NativeWindow;  // opaque

// What the back end says about its last failure.
struct NativeStatus {
  // Why the last start-up call failed, in words; "" when nothing failed.
  char lastError[512] = "";
  // Set when there is no display at all: no message box can show.
  bool noDisplay = false;
};

// An event of the window system, already turned into a window message.
struct NativeEvent {
  NativeWindow* window;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};

// Starts the video system; `className` names the windows' class. Returns 1
// on success, 0 with `status` describing the failure.
int32_t NativeStartVideo(NativeStatus* status, const char* className);

// A hidden, resizable window with the UTF-8 title, its client area placed
// at (x, y) with size width x height. Null on failure, with `status`
// describing it.
NativeWindow* NativeCreateWindow(NativeStatus* status, const char* title,
                                 int32_t x, int32_t y, int32_t width,
                                 int32_t height);

// Shows the window and, where the window system reports its frame, moves
// and sizes it so that the outer frame matches `outerFrame`.
void NativeShowWindow(NativeWindow* window, const PlatformRect* outerFrame);
void NativeDestroyWindow(NativeWindow* window);

// The outer frame and the client area, both in screen coordinates.
int32_t NativeWindowFrame(NativeWindow* window, PlatformRect* frame);
int32_t NativeClientArea(NativeWindow* window, PlatformRect* client);

// Bounds of the display that holds `window` (the first display for null).
int32_t NativeDisplayBounds(NativeWindow* window, PlatformRect* bounds);

// Moves pending events into `events` (at most `capacity`, which must be at
// least 2), waiting for one first when `wait` is non-zero. A dropped file
// becomes kMsgDropFiles with its path (UTF-8) kept in `droppedFile`.
// Returns how many.
int32_t NativeReadEvents(int32_t wait, NativeEvent* events, int32_t capacity,
                         std::string* droppedFile);

// Copies width x height pixels (0x00RRGGBB, rows `pitch` bytes apart) to the
// top-left of the window's client area, clipped to it.
void NativePresent(NativeWindow* window, const uint32_t* pixels, int32_t pitch,
                   int32_t width, int32_t height);

// A modal box with one OK button; returns without one when none can show.
void NativeMessageBox(const NativeStatus& status, const char* text,
                      const char* caption);

void NativeShutdown();

// Kept by the window system for the message queue and the drawing code:
// the live window that wraps `native`, and the native window behind a live
// window; null when there is none.
WindowHandle WindowFromNative(Platform& platform, NativeWindow* native);
NativeWindow* NativeOf(WindowHandle window);

}  // namespace platform
