#pragma once
// How a model file's faces without a material look: dark grey in the flat
// look (which brightens toward white facing the light), light grey in
// smooth shading (which darkens turning away from it).
#include <cstdint>

#include "renderer/mesh.h"

namespace renderer {

constexpr uint32_t kNoMaterialFlatColour = 0x606060;
constexpr uint32_t kNoMaterialSmoothColour = 0xC0C0C0;

// Every untextured triangle whose three corners are `from` gets `to` at
// each corner: a model mesh's faces without a material switched between
// the two greys (a material of exactly that grey switches with them).
void RecolourNoMaterialFaces(Mesh& mesh, uint32_t from, uint32_t to);

}  // namespace renderer
