#include "tools/render_scene/looks_options.h"

int32_t IsLooksOption(const std::string& name) {
  return name == "--shading" || name == "--texture-filter" ||
         name == "--samples";
}

int32_t ApplyLooksOption(const std::string& name, const std::string& value,
                         renderer::SceneLookChoices* choices,
                         std::string* problem) {
  const std::string shown = name + " " + value;
  if (name == "--shading") {
    renderer::Shading shading;
    if (!renderer::ShadingFromName(value.c_str(), &shading)) {
      *problem = shown + ": expected flat or smooth";
      return 0;
    }
    choices->shading = shading;
  } else if (name == "--texture-filter") {
    renderer::TextureFilter filter;
    if (!renderer::TextureFilterFromName(value.c_str(), &filter)) {
      *problem = shown + ": expected nearest or bilinear";
      return 0;
    }
    choices->textureFilter = filter;
  } else {
    if (value != "1" && value != "4" && value != "16") {
      *problem = shown + ": expected 1, 4 or 16";
      return 0;
    }
    choices->samples = std::stoi(value);
  }
  return 1;
}
