// The program's entry: the window record already exists; the instance is
// the program itself, and there is no window yet.
//
//   renderer          the demo
//   renderer FILE     a scene file (.json) or model file (.obj, .gltf, .glb)
#include <string>

#include "app/app_window.h"
#include "app/application.h"
#include "app/scene_source.h"
#include "platform/window_system.h"

namespace {

// Exit status for a file on the command line that cannot be opened.
constexpr int kUnreadableFileStatus = 2;

}  // namespace

int main(int argc, char** argv) {
  appWindow->instance = GetModuleHandle();
  appWindow->hwnd = nullptr;
  OpenedScene opened;
  if (argc > 1) {
    std::string error;
    if (!OpenSceneFile(argv[1], &opened, &error)) {
      // One line on standard error, and a message box where there is a
      // display.
      MessageBox(nullptr, WidenUtf8(error).c_str(), L"Renderer: cannot open the file");
      ShutdownWindowSystem();
      return kUnreadableFileStatus;
    }
  }
  const int32_t status = RunApplication(argc > 1 ? &opened : nullptr);
  ShutdownWindowSystem();
  return status;
}
