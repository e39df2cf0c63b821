// render-scene: draws a scene with the desktop program's renderer, without a
// window, and writes the frame to image and raw files.
#include <cstdio>
#include <string>

#include "tools/render_scene/tool_options.h"
#include "tools/render_scene/tool_run.h"

int main(int argc, char** argv) {
  ToolOptions options;
  std::string problem;
  if (!ParseToolOptions(argc, argv, &options, &problem)) {
    std::fprintf(stderr, "render-scene: %s; %s\n", problem.c_str(), kUsageLine);
    return 2;
  }
  if (options.help) {
    std::printf("%s\n", kUsageLine);
    return 0;
  }
  return RunRenderScene(options);
}
