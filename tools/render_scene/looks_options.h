#pragma once
// render-scene's --shading, --texture-filter and --samples: the look a
// frame is drawn with, over the scene's own.
#include <cstdint>
#include <string>

#include "renderer/scene_file.h"

// True for the three options' names.
int32_t IsLooksOption(const std::string& name);

// Reads one of them; 0 with `problem` naming the option and the value when
// the value is not one it takes.
int32_t ApplyLooksOption(const std::string& name, const std::string& value,
                         renderer::SceneLookChoices* choices,
                         std::string* problem);
