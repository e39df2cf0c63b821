#include "app/app_window.h"

#include "platform/tick_count.h"
#include "platform/wide_format.h"

namespace {

constexpr uint32_t kClassStyle = 3;  // redraw on vertical and horizontal size
constexpr uint32_t kExStyle = 0x40000;  // an application window on the task bar
constexpr uint32_t kStyle = 0xCF0000;   // an ordinary overlapped window

AppWindow* CreateAppWindow() {
  AppWindow* window = new AppWindow{};
  SetAppWindowDefaults(window);
  return window;
}

}  // namespace

AppWindow* appWindow = CreateAppWindow();

void SetAppWindowDefaults(AppWindow* window) {
  *window = AppWindow{};
  window->title = L"Renderer";
  window->classStyle = kClassStyle;
  window->exStyle = kExStyle;
  window->style = kStyle;
  window->fpsLastTick = GetTickCount();
  FormatWide(window->fpsText, kFpsTextLength, L"FPS: ", 0);
  // Read by window creation as x, y, width and height.
  window->windowRect = {50, 50, 750, 650};
  window->clientRect = {0, 0, 800, 600};
  window->consoleEnabled = 1;
}
