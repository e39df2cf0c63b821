#include "app/window_proc.h"

#include "app/app_window.h"
#include "app/controls.h"
#include "app/demo.h"
#include "app/window_geometry.h"
#include "platform/message_queue.h"
#include "platform/window_system.h"

namespace {

// The application handler, then default processing (the handler always
// returns 0, so every message it sees also gets it).
intptr_t HandleThenDefault(WindowHandle window, uint32_t message,
                           uintptr_t wParam, intptr_t lParam) {
  if (HandleAppMessage(message, lParam, wParam, window) != 0) return 0;
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                    intptr_t lParam) {
  switch (message) {
    case kMsgDestroy: PostQuitMessage(0); return 0;
    case kMsgMove:
    case kMsgSize:
    case kMsgSizing: UpdateWindowMetrics(); break;
    case kMsgClose: DestroyWindow(appWindow->hwnd); break;
    case kMsgEraseBackground:
      // Frames are drawn from here only once start-up has finished.
      if (appWindow->running) IdleTick();
      return 0;
    case kMsgKeyDown:
      if (wParam == 'F') appWindow->fpsVisible = !appWindow->fpsVisible;
      break;
    case kMsgDropFiles: OpenDroppedFile(); return 0;
    default: break;
  }
  return HandleThenDefault(window, message, wParam, lParam);
}
