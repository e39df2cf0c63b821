// renderer.Scene and renderer.Object: scenes built from meshes, the demo,
// objects turned and moved in place, and their pickled form.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cctype>
#include <string>
#include <tuple>
#include <utility>

#include "python/src/arrays.h"
#include "python/src/bindings.h"
#include "python/src/handles.h"
#include "python/src/mesh_arrays.h"

namespace renderer_py {

namespace {

using SceneRef = std::shared_ptr<SceneHandle>;

// Runs `change` on the scene under its exclusive lock, with the
// interpreter lock released while waiting, so a frame being drawn from the
// scene on another thread finishes first. `change` must not touch Python.
template <typename Edit>
void Change(SceneHandle& handle, Edit&& change) {
  py::gil_scoped_release released;
  std::unique_lock<std::shared_mutex> hold(handle.lock);
  change(handle.scene);
}

renderer::SceneObject& ObjectOf(const ObjectRef& ref) {
  return ref.scene->scene.objects[size_t(ref.index)];
}

// Adds the mesh and its textures (their indices shifted past the scene's);
// returns its index.
int32_t AddMesh(renderer::Scene& scene, const MeshHandle& mesh) {
  const int32_t offset = int32_t(scene.textures.size());
  scene.textures.insert(scene.textures.end(), mesh.textures.begin(),
                        mesh.textures.end());
  scene.meshes.push_back(mesh.mesh);
  for (renderer::MeshTriangle& t : scene.meshes.back().triangles) {
    if (t.texture != renderer::kNoTexture) t.texture += offset;
  }
  return int32_t(scene.meshes.size() - 1);
}

// Mesh i of the scene on its own, with the textures it uses.
MeshHandle MeshOf(const renderer::Scene& scene, size_t i) {
  MeshHandle handle{scene.meshes[i], {}};
  std::vector<int32_t> local(scene.textures.size(), renderer::kNoTexture);
  for (renderer::MeshTriangle& t : handle.mesh.triangles) {
    if (t.texture == renderer::kNoTexture) continue;
    int32_t& mapped = local[size_t(t.texture)];
    if (mapped == renderer::kNoTexture) {
      mapped = int32_t(handle.textures.size());
      handle.textures.push_back(scene.textures[size_t(t.texture)]);
    }
    t.texture = mapped;
  }
  return handle;
}

int32_t MeshIndex(const renderer::Scene& scene, const py::handle& value) {
  if (value.is_none()) return renderer::kNoMesh;
  if (!py::isinstance<py::int_>(value)) {
    throw py::type_error("mesh: expected a mesh index (int) or None");
  }
  return CheckedInt32(value.cast<int64_t>(), "mesh", 0,
                      int64_t(scene.meshes.size()) - 1);
}

void SetOrientation(renderer::SceneObject& object, const py::handle& value) {
  const py::array_t<double> m = NumberArray(value, "orientation", {{3, 3}, "(3, 3)"});
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) object.orientation[r][c] = m.at(r, c);
  }
}

void SetPosition(renderer::SceneObject& object, const py::handle& value) {
  const py::array_t<int64_t> p = IntegerArray(value, "position", {{3}, "(3,)"});
  for (int a = 0; a < 3; ++a) {
    object.position[a] = CheckedInt32(p.at(a), "position", INT32_MIN, INT32_MAX);
  }
}

// The orientation as a writable (3, 3) view; the capsule keeps the scene
// alive and counts the view, so objects cannot be added under it.
py::array OrientationView(const ObjectRef& ref) {
  SceneHandle& handle = *ref.scene;
  ++handle.views;
  const py::capsule lease(new SceneRef(ref.scene), [](void* p) {
    SceneRef* scene = static_cast<SceneRef*>(p);
    --(*scene)->views;
    delete scene;
  });
  return py::array_t<double>({3, 3}, {3 * sizeof(double), sizeof(double)},
                             &ObjectOf(ref).orientation[0][0], lease);
}

ObjectRef AddObject(const SceneRef& scene, const py::handle& mesh,
                    const py::handle& position, const py::handle& orientation) {
  if (scene->views != 0) {
    throw py::value_error(
        "add: an orientation array of this scene is still alive; objects "
        "cannot be added while arrays point into them (delete or copy it)");
  }
  renderer::SceneObject object;
  if (!position.is_none()) SetPosition(object, position);
  if (!orientation.is_none()) SetOrientation(object, orientation);
  std::optional<MeshHandle> added;
  if (py::isinstance<MeshHandle>(mesh)) {
    added = mesh.cast<MeshHandle>();
  } else {
    object.mesh = MeshIndex(scene->scene, mesh);
  }
  int32_t index = 0;
  Change(*scene, [&](renderer::Scene& s) {
    if (added) object.mesh = AddMesh(s, *added);
    s.objects.push_back(object);
    index = int32_t(s.objects.size() - 1);
  });
  return ObjectRef{scene, index};
}

void Turn(const ObjectRef& ref, const std::string& axis, double degrees) {
  const std::string a = axis.size() == 1 ? std::string(1, char(std::tolower(axis[0]))) : "";
  if (a != "x" && a != "y" && a != "z") {
    throw py::value_error("axis: expected 'x', 'y' or 'z', got '" + axis + "'");
  }
  Change(*ref.scene, [&](renderer::Scene&) {
    renderer::SceneObject* object = &ObjectOf(ref);
    if (a == "x") renderer::RotateObjectX(*object, degrees);
    if (a == "y") renderer::RotateObjectY(*object, degrees);
    if (a == "z") renderer::RotateObjectZ(*object, degrees);
  });
}

}  // namespace

py::tuple SceneState(const SceneHandle& handle) {
  const renderer::Scene& scene = handle.scene;
  py::list meshes, objects;
  for (const renderer::Mesh& mesh : scene.meshes) meshes.append(MeshArrays(mesh));
  for (const renderer::SceneObject& o : scene.objects) {
    py::array_t<double> orientation({3, 3});
    std::copy(&o.orientation[0][0], &o.orientation[0][0] + 9,
              orientation.mutable_data());
    const py::object mesh = o.mesh == renderer::kNoMesh
                                ? py::object(py::none())
                                : py::object(py::int_(o.mesh));
    objects.append(py::make_tuple(
        mesh, orientation,
        py::make_tuple(o.position[0], o.position[1], o.position[2])));
  }
  const renderer::LoadedScene& l = handle.loaded;
  const renderer::View& v = l.view;
  const py::tuple frame = py::make_tuple(
      l.frameWidth, l.frameHeight, l.clientWidth, l.clientHeight,
      v.focalLength, v.nearZ, v.centreX, v.centreY, v.viewportLeft,
      v.viewportTop, v.viewportRight, v.viewportBottom);
  return py::make_tuple(py::cast(scene.textures), meshes, objects,
                        scene.lightObject, l.animatedObject, l.builtinMesh,
                        frame);
}

SceneRef SceneFromState(const py::tuple& state) {
  if (state.size() != 7) throw py::value_error("Scene state: expected 7 entries");
  auto handle = std::make_shared<SceneHandle>();
  renderer::Scene& scene = handle->scene;
  scene.textures = state[0].cast<std::vector<renderer::Texture>>();
  for (const py::handle& mesh : state[1].cast<py::list>()) {
    scene.meshes.push_back(MeshFromArrays(mesh.cast<py::tuple>(), scene.textures.size()));
  }
  for (const py::handle& entry : state[2].cast<py::list>()) {
    const py::tuple o = entry.cast<py::tuple>();
    renderer::SceneObject object;
    object.mesh = MeshIndex(scene, o[0]);
    SetOrientation(object, o[1]);
    SetPosition(object, o[2]);
    scene.objects.push_back(object);
  }
  scene.lightObject = state[3].cast<int32_t>();
  renderer::LoadedScene& l = handle->loaded;
  l.animatedObject = state[4].cast<int32_t>();
  l.builtinMesh = state[5].cast<int32_t>();
  if (l.builtinMesh != renderer::kNoMesh) {
    CheckedInt32(l.builtinMesh, "builtin mesh", 0, int64_t(scene.meshes.size()) - 1);
  }
  const py::tuple f = state[6].cast<py::tuple>();
  if (f.size() != 12) throw py::value_error("Scene state: expected 12 frame values");
  renderer::View& v = l.view;
  std::tie(l.frameWidth, l.frameHeight, l.clientWidth, l.clientHeight, v.focalLength,
           v.nearZ) = std::make_tuple(f[0].cast<int32_t>(), f[1].cast<int32_t>(),
                                      f[2].cast<int32_t>(), f[3].cast<int32_t>(),
                                      f[4].cast<int32_t>(), f[5].cast<int32_t>());
  v.centreX = f[6].cast<double>();
  v.centreY = f[7].cast<double>();
  std::tie(v.viewportLeft, v.viewportTop, v.viewportRight, v.viewportBottom) =
      std::make_tuple(f[8].cast<int32_t>(), f[9].cast<int32_t>(), f[10].cast<int32_t>(),
                      f[11].cast<int32_t>());
  return handle;
}

void StepScene(SceneHandle& handle, int64_t steps) {
  if (steps < 0) Refuse("n", "expected a count of steps, 0 or more");
  Change(handle, [&](renderer::Scene&) {
    for (int64_t step = 0; step < steps; ++step) {
      renderer::StepSceneAnimation(handle.loaded);
    }
  });
}

void BindScene(py::module_& m) {
  py::class_<ObjectRef>(m, "Object", R"doc(
One object of a scene: a mesh placed in camera space by an orientation
matrix (rotation and scale together) and a whole-number position. Camera
space: x right, y down, z away from the viewer.)doc")
      .def_property_readonly("index", [](const ObjectRef& r) { return r.index; },
                             "This object's index in scene.objects.")
      .def_property(
          "orientation", &OrientationView,
          [](const ObjectRef& r, const py::handle& value) {
            renderer::SceneObject copy = ObjectOf(r);
            SetOrientation(copy, value);
            Change(*r.scene, [&](renderer::Scene&) { ObjectOf(r) = copy; });
          },
          R"doc(The 3x3 float64 orientation matrix, row-major: a writable view of
the object's own numbers (writing it turns the object). While such an array
is alive, no object can be added to the scene.)doc")
      .def_property(
          "position",
          [](const ObjectRef& r) {
            const int32_t* p = ObjectOf(r).position;
            return py::make_tuple(p[0], p[1], p[2]);
          },
          [](const ObjectRef& r, const py::handle& value) {
            renderer::SceneObject copy = ObjectOf(r);
            SetPosition(copy, value);
            Change(*r.scene, [&](renderer::Scene&) { ObjectOf(r) = copy; });
          },
          "The position (x, y, z) in camera space, three int32 values.")
      .def_property(
          "mesh",
          [](const ObjectRef& r) -> py::object {
            const int32_t mesh = ObjectOf(r).mesh;
            return mesh == renderer::kNoMesh ? py::object(py::none())
                                             : py::object(py::int_(mesh));
          },
          [](const ObjectRef& r, const py::handle& value) {
            const int32_t mesh = MeshIndex(r.scene->scene, value);
            Change(*r.scene, [&](renderer::Scene&) { ObjectOf(r).mesh = mesh; });
          },
          "Index into scene.meshes of the mesh drawn, or None (draws nothing).")
      .def("turn", &Turn, py::arg("axis"), py::arg("degrees"),
           R"doc(Turns the object by `degrees` about the camera's 'x', 'y' or 'z'
axis, after every earlier turn.)doc")
      .def(
          "scale",
          [](const ObjectRef& r, double factor) {
            Change(*r.scene, [&](renderer::Scene&) {
              renderer::ScaleObject(ObjectOf(r), factor);
            });
          },
          py::arg("factor"), "Multiplies the orientation by `factor`.")
      .def(
          "reset",
          [](const ObjectRef& r) {
            Change(*r.scene,
                   [&](renderer::Scene&) { renderer::ResetObject(ObjectOf(r)); });
          },
          "Identity orientation at (0, 0, 3200).")
      .def("__repr__", [](const ObjectRef& r) {
        const renderer::SceneObject& o = ObjectOf(r);
        return "<renderer.Object " + std::to_string(r.index) + " mesh=" +
               (o.mesh == renderer::kNoMesh ? std::string("None")
                                            : std::to_string(o.mesh)) +
               " position=(" + std::to_string(o.position[0]) + ", " +
               std::to_string(o.position[1]) + ", " +
               std::to_string(o.position[2]) + ")>";
      });

  py::class_<SceneHandle, SceneRef>(m, "Scene", R"doc(
Everything a frame draws: meshes (with their textures) and the objects that
place them, drawn in order. Object 0's position lights untextured faces.)doc")
      .def(py::init([](const py::handle& light) {
             SceneRef handle = EmptyScene();
             if (!light.is_none()) {
               renderer::SceneObject object;
               object.mesh = renderer::kNoMesh;
               SetPosition(object, light);
               handle->scene.objects.push_back(object);
             }
             return handle;
           }),
           py::arg("light") = py::none(),
           R"doc(An empty scene; with `light` (x, y, z), object 0 is a light there
that draws nothing.)doc")
      .def("add", &AddObject, py::arg("mesh") = py::none(),
           py::arg("position") = py::none(), py::arg("orientation") = py::none(),
           R"doc(Adds an object and returns it: `mesh` a Mesh (added to the scene's
meshes, its textures with it), the index of a mesh already in the scene, or
None (an object that draws nothing). `position` defaults to (0, 0, 3200),
`orientation` to the identity.)doc")
      .def_property_readonly(
          "objects",
          [](const SceneRef& s) {
            py::list objects;
            for (size_t i = 0; i < s->scene.objects.size(); ++i) {
              objects.append(ObjectRef{s, int32_t(i)});
            }
            return objects;
          },
          "The objects, in drawing order (a new list of references each time).")
      .def_property_readonly(
          "meshes",
          [](const SceneRef& s) {
            py::list meshes;
            for (size_t i = 0; i < s->scene.meshes.size(); ++i) {
              meshes.append(MeshOf(s->scene, i));
            }
            return meshes;
          },
          "Copies of the scene's meshes, each with the textures it uses.")
      .def_property_readonly(
          "light",
          [](const SceneRef& s) -> py::object {
            const size_t i = size_t(s->scene.lightObject);
            if (i >= s->scene.objects.size()) return py::none();
            return py::cast(ObjectRef{s, int32_t(i)});
          },
          "The object whose position lights untextured faces (object 0), or None.")
      .def("step", &StepScene, py::arg("n") = 1,
           R"doc(Runs `n` animation steps: the animated object turns 0.5 degrees
about x, then 1 degree about y; the demo model's fins scroll.)doc")
      .def(py::pickle(&SceneState, &SceneFromState));

  m.def("demo", &DemoScene, py::arg("textures"),
        "The demo scene, its seven images from the folder `textures`.");
  m.def("load", &LoadSceneFile, py::arg("path"), py::arg("textures"),
        "The scene of a scene file or model file, as render-scene --scene reads it.");
}

}  // namespace renderer_py
