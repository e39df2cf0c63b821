// renderer.Texture, renderer.Mesh and the functions that make them from
// arrays.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <string>

#include "python/src/arrays.h"
#include "python/src/bindings.h"
#include "python/src/mesh_arrays.h"

namespace renderer_py {

namespace {

py::tuple TextureState(const renderer::Texture& t) {
  return py::make_tuple(t.width, t.height,
                        py::bytes(reinterpret_cast<const char*>(t.texels.data()),
                                  t.texels.size()));
}

renderer::Texture TextureFromState(const py::tuple& state) {
  if (state.size() != 3) throw py::value_error("Texture state: expected 3 entries");
  renderer::Texture t{state[0].cast<int32_t>(), state[1].cast<int32_t>(), {}};
  const std::string texels = state[2].cast<std::string>();
  if (t.width <= 0 || t.height <= 0 ||
      texels.size() != size_t(t.width) * size_t(t.height) * 3) {
    throw py::value_error("Texture state: sizes do not match the texels");
  }
  t.texels.assign(texels.begin(), texels.end());
  return t;
}

py::tuple MeshState(const MeshHandle& handle) {
  return py::make_tuple(MeshArrays(handle.mesh), py::cast(handle.textures));
}

MeshHandle MeshFromState(const py::tuple& state) {
  if (state.size() != 2) throw py::value_error("Mesh state: expected 2 entries");
  MeshHandle handle;
  handle.textures = state[1].cast<std::vector<renderer::Texture>>();
  handle.mesh = MeshFromArrays(state[0].cast<py::tuple>(), handle.textures.size());
  return handle;
}

// One of the mesh's arrays, by its place in MeshArrays.
py::object MeshArray(const MeshHandle& handle, size_t which) {
  return MeshArrays(handle.mesh)[which];
}

}  // namespace

void BindMesh(py::module_& m) {
  py::class_<renderer::Texture>(m, "Texture", R"doc(
An image that textured faces sample: RGB texels, top row first. Pure white
(255, 255, 255) texels are see-through.)doc")
      .def_readonly("width", &renderer::Texture::width, "Width in texels.")
      .def_readonly("height", &renderer::Texture::height, "Height in texels.")
      .def_property_readonly("pixels", &TextureArray,
                             "The texels as a new (H, W, 3) uint8 array.")
      .def("__repr__",
           [](const renderer::Texture& t) {
             return "<renderer.Texture " + std::to_string(t.width) + "x" +
                    std::to_string(t.height) + ">";
           })
      .def(py::pickle(&TextureState, &TextureFromState));

  m.def("texture", &TextureFromArray, py::arg("rgb"), R"doc(
A texture from an (H, W, 3) or (H, W, 4) uint8 array, top row first. Texels
of alpha 0 become see-through; every other pure-white texel is drawn as
(255, 254, 255), so nothing else is see-through.)doc");

  py::class_<MeshHandle>(m, "Mesh", R"doc(
A triangle mesh in whole model units, with the textures its faces use. Made
by renderer.mesh or read from a scene (scene.meshes); every array property
is a new copy.)doc")
      .def_property_readonly(
          "vertices", [](const MeshHandle& h) { return MeshArray(h, 0); },
          "(N, 3) int32 vertices in model units (x right, y down, z away).")
      .def_property_readonly(
          "faces", [](const MeshHandle& h) { return MeshArray(h, 1); },
          "(M, 3) int32 vertex indices of each triangle.")
      .def_property_readonly(
          "colors", [](const MeshHandle& h) { return MeshArray(h, 2); },
          "(M, 3, 3) uint8 RGB per corner (untextured faces draw corner 0's).")
      .def_property_readonly(
          "uv", [](const MeshHandle& h) { return MeshArray(h, 3); },
          "(M, 3, 2) float64 texel coordinates per corner, in texels.")
      .def_property_readonly(
          "face_textures", [](const MeshHandle& h) { return MeshArray(h, 4); },
          "(M,) int32 index into `textures` of each face, -1 for none.")
      .def_property_readonly(
          "lines", [](const MeshHandle& h) { return MeshArray(h, 5); },
          "(L, 2) int32 vertex indices of each line.")
      .def_readonly("textures", &MeshHandle::textures,
                    "The textures the faces use.")
      .def("__repr__",
           [](const MeshHandle& h) {
             return "<renderer.Mesh " + std::to_string(h.mesh.vertices.size()) +
                    " vertices, " + std::to_string(h.mesh.triangles.size()) +
                    " faces>";
           })
      .def(py::pickle(&MeshState, &MeshFromState));

  m.def(
      "mesh",
      [](const py::object& vertices, const py::object& faces,
         const py::object& colors, const py::object& uv,
         std::optional<renderer::Texture> texture, bool fit) {
        return BuildMesh({vertices, faces, colors, uv, std::move(texture), fit});
      },
      py::arg("vertices"), py::arg("faces"), py::arg("colors") = py::none(),
      py::arg("uv") = py::none(), py::arg("texture") = py::none(),
      py::kw_only(), py::arg("fit") = true,
      R"doc(
A mesh from arrays: `vertices` (N, 3) numbers, `faces` (M, 3) integer vertex
indices. `colors`: uint8 RGB or RGBA per face (M, 3), per vertex (N, 3) or
per corner (M, 3, 3) (per face when M == N); faces without colours are dark
grey 0x606060. `uv` with `texture` textures every face: per corner
(M, 3, 2) or per vertex (N, 2), in 0-1 image units with v from the image's
top row.

fit=True applies the model-file rules: `vertices` in the model's own axes
(+y up, +z toward the viewer) are centred, scaled so the largest side of
their box is 1600 units and rounded, y and z negated; each face's front is
the side from which its corners run counter-clockwise; unused vertices are
dropped. fit=False takes whole-number vertices as they are, in camera axes
(x right, y down, z away), and refuses others.)doc");
}

}  // namespace renderer_py
