#include "app/application.h"

#include "app/app_window.h"
#include "app/demo.h"
#include "app/frame_composer.h"
#include "app/window_proc.h"
#include "platform/console.h"
#include "platform/message_queue.h"
#include "platform/window_system.h"

namespace {

bool RegisterWindowClass(AppWindow& w) {
  const WindowClass windowClass = {w.classStyle, WindowProc, w.instance,
                                   L"MyClass"};
  if (RegisterClass(&windowClass) != 0) return true;
  MessageBox(nullptr, L"Register class failed", L"RC FAILED");
  return false;
}

bool CreateMainWindow(AppWindow& w) {
  // The default windowRect holds x, y, width and height, not a rectangle.
  const Rect& r = w.windowRect;
  w.hwnd = CreateWindowEx(w.exStyle, L"MyClass", w.title, w.style, r.left,
                          r.top, r.right, r.bottom, w.instance);
  if (w.hwnd != nullptr) return true;
  MessageBox(nullptr, L"Create window failed", L"CW FAILED");
  return false;
}

void OpenConsole(const AppWindow& w) {
  if (!w.consoleEnabled) return;
  AllocConsole();
  SetConsoleTitle(w.title);
}

void TearDown(AppWindow& w) {
  if (w.consoleEnabled) FreeConsole();
  ReleaseDC(w.hwnd, w.windowDc);
  w.windowDc = nullptr;
}

}  // namespace

int32_t StartApplication() {
  AppWindow& w = *appWindow;
  if (!RegisterWindowClass(w) || !CreateMainWindow(w)) return 0;
  w.desktopWindow = GetDesktopWindow();
  w.windowDc = GetDC(w.hwnd);
  OpenConsole(w);
  ShowWindow(w.hwnd);
  CreateFrameBuffer();
  return 1;
}

int32_t RunApplication(OpenedScene* opened) {
  if (!StartApplication()) return kStartupFailedStatus;
  int32_t exitCode = 0;
  if (InitDemo() == 0) {
    if (opened != nullptr) ShowOpenedScene(std::move(*opened));
    appWindow->running = 1;
    exitCode = RunMessageLoop();
  }
  TearDown(*appWindow);
  return exitCode;
}

int32_t RunMessageLoop() {
  PlatformMessage message = {nullptr, 0, 0, 0};
  for (;;) {
    const int32_t taken = appWindow->blockingLoop ? (GetMessage(&message), 1)
                                                  : PeekMessage(&message);
    if (taken) {
      if (message.message == kMsgQuit) break;
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
    if (IdleTick() != 0) break;
  }
  return static_cast<int32_t>(static_cast<intptr_t>(message.wParam));
}
