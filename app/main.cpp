// The program's entry: the platform and application records live here, for
// the whole run; the instance is the program itself.
//
//   renderer [--threads N]          the demo
//   renderer [--threads N] FILE     a scene file (.json) or model file
//                                   (.obj, .gltf, .glb)
#include <cstdio>
#include <string>

#include "app/app.h"
#include "app/application.h"
#include "app/command_line.h"
#include "app/scene_source.h"
#include "platform/platform.h"
#include "platform/window_system.h"

namespace {

// Exit status for a bad command line or a file on it that cannot be opened.
constexpr int kUnusableArgumentStatus = 2;

}  // namespace

int main(int argc, char** argv) {
  std::string problem;
  std::string file;
  int32_t threads = 0;
  if (!app::ParseCommandLine(argc, argv, &threads, &file, &problem)) {
    std::fprintf(stderr, "renderer: %s\n", problem.c_str());
    return kUnusableArgumentStatus;
  }
  const platform::PlatformPtr platform = platform::MakePlatform();
  app::App app{*platform};
  app.threadCount = threads;
  app.window.instance = platform::GetModuleHandle();
  app::OpenedScene opened;
  const bool haveFile = !file.empty();
  if (haveFile) {
    std::string error;
    if (!app::OpenSceneFile(file, &opened, &error)) {
      // One line on standard error, and a message box where there is a
      // display.
      platform::MessageBox(*platform, nullptr, app::WidenUtf8(error).c_str(),
                           L"Renderer: cannot open the file");
      platform::ShutdownWindowSystem(*platform);
      return kUnusableArgumentStatus;
    }
  }
  const int32_t status =
      app::RunApplication(app, haveFile ? &opened : nullptr);
  platform::ShutdownWindowSystem(*platform);
  return status;
}
