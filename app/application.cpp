#include "app/application.h"

#include "app/demo.h"
#include "app/frame_composer.h"
#include "app/window_proc.h"
#include "platform/console.h"
#include "platform/message_queue.h"
#include "platform/tick_count.h"
#include "platform/window_system.h"

namespace app {

using namespace platform;

namespace {

bool RegisterWindowClass(App& app) {
  const AppWindow& w = app.window;
  const WindowClass windowClass = {w.classStyle, AppWindowProcedure,
                                   w.instance, L"MyClass"};
  if (RegisterClass(app.platform, &windowClass) != 0) return true;
  MessageBox(app.platform, nullptr, L"Register class failed", L"RC FAILED");
  return false;
}

bool CreateMainWindow(App& app) {
  AppWindow& w = app.window;
  // The default windowRect holds x, y, width and height, not a rectangle.
  const Rect& r = w.windowRect;
  w.hwnd = CreateWindowEx(app.platform, w.exStyle, L"MyClass", w.title,
                          w.style, r.left, r.top, r.right, r.bottom,
                          w.instance, &app);
  if (w.hwnd != nullptr) return true;
  MessageBox(app.platform, nullptr, L"Create window failed", L"CW FAILED");
  return false;
}

void OpenConsole(App& app) {
  if (!app.window.consoleEnabled) return;
  AllocConsole();
  SetConsoleTitle(app.platform, app.window.title);
}

}  // namespace

int32_t StartApplication(App& app) {
  AppWindow& w = app.window;
  app.fps.lastTick = GetTickCount(app.platform);
  if (!RegisterWindowClass(app) || !CreateMainWindow(app)) return 0;
  w.desktopWindow = GetDesktopWindow(app.platform);
  w.windowDc = GetDC(w.hwnd);
  OpenConsole(app);
  ShowWindow(w.hwnd);
  CreateFrameBuffer(app);
  return 1;
}

void TearDown(App& app) {
  AppWindow& w = app.window;
  if (w.consoleEnabled) FreeConsole(app.platform);
  ReleaseDC(w.hwnd, w.windowDc);
  w.windowDc = nullptr;
  ReleaseFrameBuffer(w);
}

int32_t RunApplication(App& app, OpenedScene* opened) {
  if (!StartApplication(app)) return kStartupFailedStatus;
  int32_t exitCode = 0;
  if (InitDemo(app) == 0) {
    if (opened != nullptr) ShowOpenedScene(app, std::move(*opened));
    app.window.running = 1;
    exitCode = RunMessageLoop(app);
  }
  TearDown(app);
  return exitCode;
}

int32_t RunMessageLoop(App& app) {
  PlatformMessage message = {nullptr, 0, 0, 0};
  for (;;) {
    const int32_t taken = app.window.blockingLoop
                              ? (GetMessage(app.platform, &message), 1)
                              : PeekMessage(app.platform, &message);
    if (taken) {
      if (message.message == kMsgQuit) break;
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
    if (IdleTick(app) != 0) break;
  }
  return static_cast<int32_t>(static_cast<intptr_t>(message.wParam));
}

}  // namespace app
