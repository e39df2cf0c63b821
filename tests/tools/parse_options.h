#pragma once
// render-scene's command line parsed in-process, for the option tests.
#include <string>
#include <vector>

#include "tools/render_scene/tool_options.h"

struct Parsed {
  int32_t ok;
  ToolOptions options;
  std::string problem;
};

// Parses `arguments` as they follow the program name.
inline Parsed Parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "render-scene");
  Parsed parsed{};
  parsed.ok = ParseToolOptions(int(arguments.size()), arguments.data(),
                               &parsed.options, &parsed.problem);
  return parsed;
}
