#pragma once
// How a frame looks: the light model, texel sampling and samples per pixel.
// The defaults are the exact flat fills; the others are options beside them,
// each as reproducible, bit for bit, for every thread count and fill version.
#include <cstdint>

namespace renderer {

// Flat: one shade per untextured triangle, textures unlit. Smooth: every
// pixel lit from a normal interpolated across its triangle.
enum class Shading : int32_t { kFlat, kSmooth };

// Nearest: the one texel a sample falls in. Bilinear: the four texels
// around it, blended.
enum class TextureFilter : int32_t { kNearest, kBilinear };

// The samples per pixel RenderFrame accepts: 1, 4 (2 x 2) or 16 (4 x 4).
inline bool SamplesValid(int32_t samples) {
  return samples == 1 || samples == 4 || samples == 16;
}

// One frame's look; RenderFrame draws 1 sample for a samples value it does
// not accept.
struct Looks {
  Shading shading = Shading::kFlat;
  TextureFilter textureFilter = TextureFilter::kNearest;
  int32_t samples = 1;
  bool operator==(const Looks&) const = default;
};

// "flat" / "smooth", "nearest" / "bilinear".
const char* ShadingName(Shading shading);
const char* TextureFilterName(TextureFilter filter);

// The value a name stands for; false for any other name.
bool ShadingFromName(const char* name, Shading* shading);
bool TextureFilterFromName(const char* name, TextureFilter* filter);

}  // namespace renderer
