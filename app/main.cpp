// The program's entry: the window record already exists; the instance is
// the program itself, and there is no window yet.
#include "app/app_window.h"
#include "app/application.h"
#include "platform/window_system.h"

int main() {
  appWindow->instance = GetModuleHandle();
  appWindow->hwnd = nullptr;
  const int32_t status = RunApplication();
  ShutdownWindowSystem();
  return status;
}
