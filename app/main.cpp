// The program's entry: the window record already exists; the instance is
// the program itself, and there is no window yet.
//
//   renderer [--threads N]          the demo
//   renderer [--threads N] FILE     a scene file (.json) or model file
//                                   (.obj, .gltf, .glb)
#include <cstdio>
#include <string>

#include "app/app_window.h"
#include "app/application.h"
#include "app/command_line.h"
#include "app/demo.h"
#include "app/scene_source.h"
#include "platform/window_system.h"

namespace {

// Exit status for a bad command line or a file on it that cannot be opened.
constexpr int kUnusableArgumentStatus = 2;

}  // namespace

int main(int argc, char** argv) {
  std::string problem;
  std::string file;
  if (!ParseCommandLine(argc, argv, &renderThreadCount, &file, &problem)) {
    std::fprintf(stderr, "renderer: %s\n", problem.c_str());
    return kUnusableArgumentStatus;
  }
  appWindow->instance = GetModuleHandle();
  appWindow->hwnd = nullptr;
  OpenedScene opened;
  const bool haveFile = !file.empty();
  if (haveFile) {
    std::string error;
    if (!OpenSceneFile(file, &opened, &error)) {
      // One line on standard error, and a message box where there is a
      // display.
      MessageBox(nullptr, WidenUtf8(error).c_str(), L"Renderer: cannot open the file");
      ShutdownWindowSystem();
      return kUnusableArgumentStatus;
    }
  }
  const int32_t status = RunApplication(haveFile ? &opened : nullptr);
  ShutdownWindowSystem();
  return status;
}
