#pragma once
// The parts of the module, each adding its types and functions.
#include <pybind11/pybind11.h>

#include <cstdint>
#include <memory>
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

// renderer.load, renderer.demo and Scene(): scenes as the library loads
// them. A refused file raises ValueError with the library's one line
// (FileNotFoundError when it does not exist); texture notes become warnings.
std::shared_ptr<SceneHandle> LoadSceneFile(const std::string& path,
                                           const std::string& textures);
std::shared_ptr<SceneHandle> DemoScene(const std::string& textures);
std::shared_ptr<SceneHandle> EmptyScene();

// A scene's pickled form and back.
py::tuple SceneState(const SceneHandle& handle);
std::shared_ptr<SceneHandle> SceneFromState(const py::tuple& state);

// Writes width x height 0x00RRGGBB pixels (rows `rowStride` apart) to
// `path` as PNG, BMP, PPM or WebP by its ending; ValueError for another
// ending, OSError when the file cannot be written.
void SaveImage(const std::string& path, const uint32_t* pixels, int32_t width,
               int32_t height, int32_t rowStride);

}  // namespace renderer_py
