#include "app/window_proc.h"

#include "app/controls.h"
#include "app/demo.h"
#include "app/window_geometry.h"
#include "platform/message_queue.h"
#include "platform/window_system.h"

namespace app {

using namespace platform;

namespace {

// The application handler, then default processing (the handler always
// returns 0, so every message it sees also gets it).
intptr_t HandleThenDefault(App& app, WindowHandle window, uint32_t message,
                           uintptr_t wParam, intptr_t lParam) {
  if (HandleAppMessage(app, window, message, wParam, lParam) != 0) return 0;
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

intptr_t WindowProc(App& app, WindowHandle window, uint32_t message,
                    uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case kMsgDestroy: PostQuitMessage(app.platform, 0); return 0;
    case kMsgMove:
    case kMsgSize:
    case kMsgSizing: UpdateWindowMetrics(app); break;
    case kMsgClose: DestroyWindow(app.window.hwnd); break;
    case kMsgEraseBackground:
      // Frames are drawn from here only once start-up has finished.
      if (app.window.running) IdleTick(app);
      return 0;
    case kMsgKeyDown:
      if (wParam == 'F') app.fps.visible = !app.fps.visible;
      break;
    case kMsgDropFiles: OpenDroppedFile(app); return 0;
    default: break;
  }
  return HandleThenDefault(app, window, message, wParam, lParam);
}

intptr_t AppWindowProcedure(void* context, WindowHandle window,
                            uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
  return WindowProc(*static_cast<App*>(context), window, message, wParam,
                    lParam);
}

}  // namespace app
