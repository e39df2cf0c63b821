#pragma once
// render-scene's --shading, --texture-filter and --samples: the look a
// frame is drawn with, over the scene's own.
#include <cstdint>
#include <string>

#include "renderer/looks.h"

struct LooksOptions {
  int32_t hasShading;
  renderer::Shading shading;
  int32_t hasTextureFilter;
  renderer::TextureFilter textureFilter;
  int32_t hasSamples;
  int32_t samples;
};

// True for the three options' names.
int32_t IsLooksOption(const std::string& name);

// Reads one of them; 0 with `problem` naming the option and the value when
// the value is not one it takes.
int32_t ApplyLooksOption(const std::string& name, const std::string& value,
                         LooksOptions* options, std::string* problem);

// The options given replace the scene's values.
void OverrideLooks(const LooksOptions& options, renderer::Looks* looks);
