// The SDL2 back end's video start-up, windows, geometry and message box.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/native_window.h"

namespace platform {

namespace {

SDL_Window* ToSdl(NativeWindow* window) {
  return reinterpret_cast<SDL_Window*>(window);
}

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && value[0] != '\0';
}

// Picks the video driver of the display named by the environment, unless
// the user chose one. Without either, SDL would fall back to an invisible
// off-screen driver and the program would run with nothing to show.
bool ChooseVideoDriver(NativeStatus* status) {
  if (IsSet("SDL_VIDEODRIVER")) return true;
  if (IsSet("DISPLAY")) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  } else if (IsSet("WAYLAND_DISPLAY")) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
  } else {
    status->noDisplay = true;
    std::snprintf(status->lastError, sizeof status->lastError,
                  "no display to open a window on (DISPLAY is not set)");
    return false;
  }
  return true;
}

void DescribeVideoFailure(NativeStatus* status) {
  const char* display =
      std::getenv(IsSet("DISPLAY") ? "DISPLAY" : "WAYLAND_DISPLAY");
  std::snprintf(status->lastError, sizeof status->lastError,
                "cannot open the display %s (%s)",
                display ? display : "", SDL_GetError());
}

// Edges of the window manager's frame; all zero when there is none.
void FrameEdges(SDL_Window* window, int* top, int* left, int* bottom,
                int* right) {
  *top = *left = *bottom = *right = 0;
  if (SDL_GetWindowBordersSize(window, top, left, bottom, right) != 0) {
    *top = *left = *bottom = *right = 0;
  }
}

}  // namespace

int32_t NativeStartVideo(NativeStatus* status, const char* className) {
  status->lastError[0] = '\0';
  // Signals keep their default effect instead of becoming quit events.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // The window surface is plain memory copied to the window: no vsync.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // No capture while a button is held: moves outside the window are unseen.
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
  SDL_SetHint(SDL_HINT_APP_NAME, className);
  // X11 takes the window's WM_CLASS from this variable.
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", className, 1);
  if (!ChooseVideoDriver(status)) return 0;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    DescribeVideoFailure(status);
    return 0;
  }
  SDL_StopTextInput();
  return 1;
}

NativeWindow* NativeCreateWindow(NativeStatus* status, const char* title,
                                 int32_t x, int32_t y, int32_t width,
                                 int32_t height) {
  SDL_Window* window = SDL_CreateWindow(
      title, x, y, width > 0 ? width : 1, height > 0 ? height : 1,
      SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (window == nullptr) {
    std::snprintf(status->lastError, sizeof status->lastError, "%s",
                  SDL_GetError());
    return nullptr;
  }
  return reinterpret_cast<NativeWindow*>(window);
}

void NativeShowWindow(NativeWindow* native, const PlatformRect* outerFrame) {
  SDL_Window* window = ToSdl(native);
  SDL_ShowWindow(window);
  int top, left, bottom, right;
  FrameEdges(window, &top, &left, &bottom, &right);
  if ((top | left | bottom | right) == 0 || outerFrame == nullptr) return;
  const int width = outerFrame->right - outerFrame->left - left - right;
  const int height = outerFrame->bottom - outerFrame->top - top - bottom;
  SDL_SetWindowSize(window, width > 0 ? width : 1, height > 0 ? height : 1);
  SDL_SetWindowPosition(window, outerFrame->left + left, outerFrame->top + top);
}

void NativeDestroyWindow(NativeWindow* native) {
  SDL_DestroyWindow(ToSdl(native));
}

int32_t NativeClientArea(NativeWindow* native, PlatformRect* client) {
  SDL_Window* window = ToSdl(native);
  int x, y, width, height;
  SDL_GetWindowPosition(window, &x, &y);
  SDL_GetWindowSize(window, &width, &height);
  *client = {x, y, x + width, y + height};
  return 1;
}

int32_t NativeWindowFrame(NativeWindow* native, PlatformRect* frame) {
  PlatformRect client;
  NativeClientArea(native, &client);
  int top, left, bottom, right;
  FrameEdges(ToSdl(native), &top, &left, &bottom, &right);
  *frame = {client.left - left, client.top - top, client.right + right,
            client.bottom + bottom};
  return 1;
}

int32_t NativeDisplayBounds(NativeWindow* native, PlatformRect* bounds) {
  int display = native ? SDL_GetWindowDisplayIndex(ToSdl(native)) : 0;
  if (display < 0) display = 0;
  SDL_Rect rect;
  if (SDL_GetDisplayBounds(display, &rect) != 0) return 0;
  *bounds = {rect.x, rect.y, rect.x + rect.w, rect.y + rect.h};
  return 1;
}

void NativeMessageBox(const NativeStatus& status, const char* text,
                      const char* caption) {
  // Without a display no box can show; the text is on standard error.
  if (status.noDisplay) return;
  SDL_ShowSimpleMessageBox(0, caption, text, nullptr);
}

void NativeShutdown() { SDL_Quit(); }

}  // namespace platform
