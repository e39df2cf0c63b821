#pragma once
// Meshes and textures to and from NumPy arrays: the checked building of
// renderer.mesh and renderer.texture, and the arrays a mesh is read back
// and pickled as.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <optional>

#include "python/src/handles.h"

namespace renderer_py {

namespace py = pybind11;

// Untextured faces given no colour: dark grey, as a model file's faces
// without a material, which the flat light brightens toward white.
constexpr uint32_t kDefaultFaceColour = 0x606060;

// A texture from an (H, W, 3) or (H, W, 4) uint8 array: pure white made
// opaque (255, 254, 255), and texels of alpha 0 see-through.
renderer::Texture TextureFromArray(const py::handle& rgb);

// The texels as an (H, W, 3) uint8 array (a copy).
py::array_t<uint8_t> TextureArray(const renderer::Texture& texture);

// The arguments of renderer.mesh, checked, as a mesh.
struct MeshArguments {
  py::handle vertices;
  py::handle faces;
  py::handle colors;  // None, per face, per vertex or per corner
  py::handle uv;      // None, per corner (M, 3, 2) or per vertex (N, 2)
  std::optional<renderer::Texture> texture;
  bool fit = true;
};
MeshHandle BuildMesh(const MeshArguments& arguments);

// The mesh's arrays: vertices (N, 3) int32, faces (M, 3) int32, corner
// colours (M, 3, 3) uint8, uv (M, 3, 2) float64 in texels, face textures
// (M,) int32 (-1: none), lines (L, 2) int32, line colours (L, 2, 3) uint8,
// vertex vectors (N or 0, 3) float64.
py::tuple MeshArrays(const renderer::Mesh& mesh);

// A mesh back from MeshArrays' tuple, every index checked (texture indices
// against `textureCount`).
renderer::Mesh MeshFromArrays(const py::tuple& arrays, size_t textureCount);

// One (R, G, B) uint8 triple per 0x00RRGGBB colour, and back.
void UnpackColour(uint32_t colour, uint8_t* rgb);
uint32_t PackColour(const uint8_t* rgb);

}  // namespace renderer_py
