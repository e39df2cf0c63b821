// The looks' names as scene files and command lines spell them.
#include <cstring>

#include "renderer/looks.h"

namespace renderer {

const char* ShadingName(Shading shading) {
  return shading == Shading::kSmooth ? "smooth" : "flat";
}

const char* TextureFilterName(TextureFilter filter) {
  return filter == TextureFilter::kBilinear ? "bilinear" : "nearest";
}

bool ShadingFromName(const char* name, Shading* shading) {
  if (std::strcmp(name, "flat") == 0) {
    *shading = Shading::kFlat;
  } else if (std::strcmp(name, "smooth") == 0) {
    *shading = Shading::kSmooth;
  } else {
    return false;
  }
  return true;
}

bool TextureFilterFromName(const char* name, TextureFilter* filter) {
  if (std::strcmp(name, "nearest") == 0) {
    *filter = TextureFilter::kNearest;
  } else if (std::strcmp(name, "bilinear") == 0) {
    *filter = TextureFilter::kBilinear;
  } else {
    return false;
  }
  return true;
}

}  // namespace renderer
