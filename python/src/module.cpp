// The module renderer._renderer; the package renderer re-exports it.
#include <pybind11/pybind11.h>

#include "python/src/bindings.h"

PYBIND11_MODULE(_renderer, m) {
  m.doc() = R"doc(A CPU renderer with exact depth: scenes of meshes in, colour and
camera-space depth out as NumPy arrays; the same bits on every machine and
thread count.)doc";
  renderer_py::BindMesh(m);
  renderer_py::BindScene(m);
  renderer_py::BindRender(m);
}
