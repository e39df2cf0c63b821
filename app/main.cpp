// The program's entry: the window record already exists; the instance is
// the program itself, and there is no window yet.
#include <cstdio>
#include <string>

#include "app/app_window.h"
#include "app/application.h"
#include "app/command_line.h"
#include "app/demo.h"
#include "platform/window_system.h"

int main(int argc, char** argv) {
  std::string problem;
  if (!ParseCommandLine(argc, argv, &renderThreadCount, &problem)) {
    std::fprintf(stderr, "renderer: %s\n", problem.c_str());
    return 2;
  }
  appWindow->instance = GetModuleHandle();
  appWindow->hwnd = nullptr;
  const int32_t status = RunApplication();
  ShutdownWindowSystem();
  return status;
}
