#pragma once
// Windows: a class names the procedure that receives a window's messages;
// a window of that class is created hidden, shown, asked for its frame and
// client area and for the device context that draws into it, and destroyed.
// The desktop is a window too, whose rectangle is the display's. Window
// procedures run on the calling thread, inside these calls and inside
// DispatchMessage.
#include <cstdint>

#include "platform/platform.h"
#include "platform/window_messages.h"

namespace platform {

struct PlatformRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

struct PlatformPoint {
  int32_t x;
  int32_t y;
};

struct DeviceContext;  // platform/drawing.h
using InstanceHandle = const void*;

struct WindowClass {
  uint32_t style;
  WindowProcedure procedure;
  InstanceHandle instance;
  const wchar_t* className;
};

// The running program's module handle.
InstanceHandle GetModuleHandle();

// Registers a window class and starts the window system for it (the class
// name becomes the window's class where the window system has one). Returns
// non-zero on success, 0 when no window system can be started.
uint32_t RegisterClass(Platform& platform, const WindowClass* windowClass);

// Creates a hidden top-level window of a registered class, with its outer
// frame at (x, y) and of size width x height as far as the window system
// allows. Every message to the window reaches the class's procedure with
// `context`. Sends the create, size and move messages before it returns.
// Returns null on failure.
WindowHandle CreateWindowEx(Platform& platform, uint32_t exStyle,
                            const wchar_t* className, const wchar_t* title,
                            uint32_t style, int32_t x, int32_t y,
                            int32_t width, int32_t height,
                            InstanceHandle instance, void* context);

// Shows the window; its first showing sends a size and a move message.
int32_t ShowWindow(WindowHandle window);

// Sends the destroy message and removes the window. Returns 0 for a window
// that does not exist (any more).
int32_t DestroyWindow(WindowHandle window);

// The desktop: its window rectangle is the bounds of the display that holds
// the program's window.
WindowHandle GetDesktopWindow(Platform& platform);

// Outer frame (or, for the desktop, the display's bounds) in screen
// coordinates. Returns 0 and leaves `rect` alone for an unknown window.
int32_t GetWindowRect(const Platform& platform, WindowHandle window,
                      PlatformRect* rect);

// Client area in client coordinates: (0, 0, width, height).
int32_t GetClientRect(WindowHandle window, PlatformRect* rect);

// The device context that draws to the window's client area; null for an
// unknown window. It is released with ReleaseDC (nothing to free).
DeviceContext* GetDC(WindowHandle window);
int32_t ReleaseDC(WindowHandle window, DeviceContext* dc);

// Screen position of the top-left corner the context draws at: the client
// area's corner for a window context. Returns 0 for a null or memory context.
int32_t GetDCOrgEx(DeviceContext* dc, PlatformPoint* origin);

// Shows a modal message box with one OK button where a display allows it,
// and always writes the text, with the window system's reason for the last
// failure when it gave one, as one line on standard error.
void MessageBox(const Platform& platform, WindowHandle owner,
                const wchar_t* text, const wchar_t* caption);

// Closes the connection to the window system at exit.
void ShutdownWindowSystem(Platform& platform);

}  // namespace platform
