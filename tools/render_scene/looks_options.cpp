#include "tools/render_scene/looks_options.h"

int32_t IsLooksOption(const std::string& name) {
  return name == "--shading" || name == "--texture-filter" ||
         name == "--samples";
}

int32_t ApplyLooksOption(const std::string& name, const std::string& value,
                         LooksOptions* options, std::string* problem) {
  const std::string shown = name + " " + value;
  if (name == "--shading") {
    if (!renderer::ShadingFromName(value.c_str(), &options->shading)) {
      *problem = shown + ": expected flat or smooth";
      return 0;
    }
    options->hasShading = 1;
  } else if (name == "--texture-filter") {
    if (!renderer::TextureFilterFromName(value.c_str(),
                                         &options->textureFilter)) {
      *problem = shown + ": expected nearest or bilinear";
      return 0;
    }
    options->hasTextureFilter = 1;
  } else {
    if (value != "1" && value != "4" && value != "16") {
      *problem = shown + ": expected 1, 4 or 16";
      return 0;
    }
    options->samples = std::stoi(value);
    options->hasSamples = 1;
  }
  return 1;
}

void OverrideLooks(const LooksOptions& options, renderer::Looks* looks) {
  if (options.hasShading) looks->shading = options.shading;
  if (options.hasTextureFilter) looks->textureFilter = options.textureFilter;
  if (options.hasSamples) looks->samples = options.samples;
}
