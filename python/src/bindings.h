#pragma once
// The parts of the module, each adding its types and functions.
#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>

#include "python/src/handles.h"

namespace renderer_py {

namespace py = pybind11;

// Texture, Mesh, renderer.texture and renderer.mesh.
void BindMesh(py::module_& m);

// Scene, Object and renderer.demo.
void BindScene(py::module_& m);

// Renderer, Frame and renderer.render.
void BindRender(py::module_& m);

// `steps` animation steps of the scene (see Scene.step).
void StepScene(SceneHandle& handle, int64_t steps);

// Writes width x height 0x00RRGGBB pixels (rows `rowStride` apart) to
// `path` as PNG, BMP, PPM or WebP by its ending; ValueError for another
// ending, OSError when the file cannot be written.
void SaveImage(const std::string& path, const uint32_t* pixels, int32_t width,
               int32_t height, int32_t rowStride);

}  // namespace renderer_py
