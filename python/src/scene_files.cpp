// Scenes as the library loads them: renderer.load (scene and model files,
// as render-scene --scene reads them), renderer.demo and the empty Scene.
#include <pybind11/pybind11.h>

#include <filesystem>
#include <string>

#include "python/src/bindings.h"

namespace renderer_py {

namespace {

// Texture notes (images that could not be read: the scene draws without
// them) as warnings, one per line, as render-scene prints them.
void WarnNotes(const renderer::LoadedScene& loaded) {
  for (const std::string& note : loaded.notes) {
    if (PyErr_WarnEx(PyExc_UserWarning, note.c_str(), 2) != 0) {
      throw py::error_already_set();
    }
  }
}

}  // namespace

std::shared_ptr<SceneHandle> LoadSceneFile(const std::string& path,
                                           const std::string& textures) {
  auto handle = std::make_shared<SceneHandle>();
  renderer::SceneFileOptions options;
  options.builtinTextures = textures;
  std::string error;
  bool loaded = false;
  {
    py::gil_scoped_release released;
    loaded = renderer::LoadScene(path, options, handle->loaded, error);
  }
  if (!loaded) {
    std::error_code code;
    if (!std::filesystem::exists(path, code)) {
      PyErr_SetString(PyExc_FileNotFoundError, error.c_str());
      throw py::error_already_set();
    }
    throw py::value_error(error);
  }
  WarnNotes(handle->loaded);
  return handle;
}

std::shared_ptr<SceneHandle> DemoScene(const std::string& textures) {
  auto handle = std::make_shared<SceneHandle>();
  renderer::SceneFileOptions options;
  options.builtinTextures = textures;
  options.name = "demo";
  std::string error;
  if (!renderer::LoadDemoScene(options, handle->loaded, error)) {
    throw py::value_error(error);
  }
  WarnNotes(handle->loaded);
  return handle;
}

std::shared_ptr<SceneHandle> EmptyScene() {
  // A scene file with no meshes and no objects: the default sizes and camera.
  auto handle = std::make_shared<SceneHandle>();
  renderer::SceneFileOptions options;
  options.name = "Scene";
  std::string error;
  if (!renderer::LoadSceneText(R"({"meshes": [], "objects": []})", "", options,
                               handle->loaded, error)) {
    throw py::value_error(error);
  }
  return handle;
}

}  // namespace renderer_py
