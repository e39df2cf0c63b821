#pragma once
// What the window system underneath provides. The SDL2 back end implements
// these; unit tests link a scripted stand-in instead. Nothing here is for
// the application: it uses window_system.h and message_queue.h.
#include <cstdint>

#include "platform/window_system.h"

struct NativeWindow;  // opaque

// An event of the window system, already turned into a window message.
struct NativeEvent {
  NativeWindow* window;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};

// Starts the video system; `className` names the windows' class. Returns 1
// on success, 0 with NativeLastError() set.
int32_t NativeStartVideo(const char* className);

// A hidden, resizable window with the UTF-8 title, its client area placed
// at (x, y) with size width x height. Null on failure.
NativeWindow* NativeCreateWindow(const char* title, int32_t x, int32_t y,
                                 int32_t width, int32_t height);

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
// least 2), waiting for one first when `wait` is non-zero. Returns how many.
int32_t NativeReadEvents(int32_t wait, NativeEvent* events, int32_t capacity);

// Copies width x height pixels (0x00RRGGBB, rows `pitch` bytes apart) to the
// top-left of the window's client area, clipped to it.
void NativePresent(NativeWindow* window, const uint32_t* pixels, int32_t pitch,
                   int32_t width, int32_t height);

// A modal box with one OK button; returns without one when none can show.
void NativeMessageBox(const char* text, const char* caption);

// Why the last start-up call failed, in words; "" when nothing failed.
const char* NativeLastError();

void NativeShutdown();

// Kept by the window system for the message queue and the drawing code:
// the live window that wraps `native`, and the native window behind a live
// window; null when there is none.
WindowHandle WindowFromNative(NativeWindow* native);
NativeWindow* NativeOf(WindowHandle window);
