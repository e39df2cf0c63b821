// SDL events as window messages.
#include <SDL.h>

#include "platform/native_window.h"
#include "platform/sdl_keys.h"

namespace platform {

namespace {

NativeWindow* WindowOf(Uint32 windowId) {
  return reinterpret_cast<NativeWindow*>(SDL_GetWindowFromID(windowId));
}

// Key events can arrive before the window has been told that it has the
// keyboard focus; they belong to the window under the mouse all the same.
NativeWindow* KeyWindowOf(Uint32 windowId) {
  SDL_Window* window = SDL_GetWindowFromID(windowId);
  if (window == nullptr) window = SDL_GetKeyboardFocus();
  if (window == nullptr) window = SDL_GetMouseFocus();
  return reinterpret_cast<NativeWindow*>(window);
}

// Writes at most two events to `out` (a resize from outside becomes two);
// returns how many.
int32_t TranslateWindowEvent(const SDL_WindowEvent& event, NativeEvent* out) {
  NativeWindow* window = WindowOf(event.windowID);
  const intptr_t data = PackCursorPosition(event.data1, event.data2);
  switch (event.event) {
    case SDL_WINDOWEVENT_MOVED: *out = {window, kMsgMove, 0, data}; return 1;
    case SDL_WINDOWEVENT_RESIZED:
      // A resize from outside (the user's drag). SDL posts it after the
      // SIZE_CHANGED it caused, so the size message is repeated after the
      // sizing message: every resize ends on the size message, whose
      // handling follows and clamps the client area.
      out[0] = {window, kMsgSizing, 0, 0};
      out[1] = {window, kMsgSize, 0, data};
      return 2;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      *out = {window, kMsgSize, 0, data};
      return 1;
    case SDL_WINDOWEVENT_EXPOSED: *out = {window, kMsgPaint, 0, 0}; return 1;
    case SDL_WINDOWEVENT_CLOSE: *out = {window, kMsgClose, 0, 0}; return 1;
    default: return 0;
  }
}

int32_t TranslateKeyDown(const SDL_KeyboardEvent& event, NativeEvent* out) {
  const uint32_t key = VirtualKeyFromSdl(event.keysym);
  if (key == 0) return 0;
  // lParam as the platform packs it: repeat count 1, the scan code, and
  // bit 30 set when the key was already down (an auto-repeat).
  const uint32_t flags =
      1u | (static_cast<uint32_t>(event.keysym.scancode & 0xFF) << 16) |
      (event.repeat ? 1u << 30 : 0u);
  *out = {KeyWindowOf(event.windowID), kMsgKeyDown, key,
          static_cast<intptr_t>(flags)};
  return 1;
}

int32_t TranslateEvent(const SDL_Event& event, NativeEvent* out,
                       std::string* droppedFile) {
  switch (event.type) {
    case SDL_WINDOWEVENT: return TranslateWindowEvent(event.window, out);
    case SDL_KEYDOWN: return TranslateKeyDown(event.key, out);
    case SDL_MOUSEMOTION:
      *out = {
          WindowOf(event.motion.windowID), kMsgMouseMove,
          (event.motion.state & SDL_BUTTON_LMASK) ? kMouseLeftButtonFlag : 0,
          PackCursorPosition(event.motion.x, event.motion.y)};
      return 1;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return 0;
      *out = {WindowOf(event.button.windowID),
              event.type == SDL_MOUSEBUTTONDOWN ? kMsgLeftButtonDown
                                                : kMsgLeftButtonUp,
              event.type == SDL_MOUSEBUTTONDOWN ? kMouseLeftButtonFlag : 0,
              PackCursorPosition(event.button.x, event.button.y)};
      return 1;
    case SDL_DROPFILE:
      *droppedFile = event.drop.file == nullptr ? "" : event.drop.file;
      SDL_free(event.drop.file);
      *out = {KeyWindowOf(event.drop.windowID), kMsgDropFiles, 0, 0};
      return 1;
    default: return 0;
  }
}

}  // namespace

int32_t NativeReadEvents(int32_t wait, NativeEvent* events, int32_t capacity,
                         std::string* droppedFile) {
  if (wait && SDL_WaitEvent(nullptr) == 0) return 0;
  int32_t count = 0;
  SDL_Event event;
  // One SDL event can become two messages.
  while (count + 2 <= capacity && SDL_PollEvent(&event)) {
    count += TranslateEvent(event, events + count, droppedFile);
  }
  return count;
}

}  // namespace platform
