// Reading the entries of "objects": mesh index, orientation, position and
// the list of transform operations.
#include "tools/render_scene/scene_sections.h"

namespace {

struct TransformName {
  const char* name;
  TransformKind kind;
  size_t arguments;
};

constexpr TransformName kTransformNames[] = {
    {"rotateX", TransformKind::kRotateX, 1},
    {"rotateY", TransformKind::kRotateY, 1},
    {"rotateZ", TransformKind::kRotateZ, 1},
    {"scale", TransformKind::kScale, 1},
    {"reset", TransformKind::kReset, 0},
};

const TransformName* FindTransform(const std::string& name) {
  for (const TransformName& entry : kTransformNames) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

int32_t ReadTransform(const Json& value, const std::string& path,
                      TransformEntry* transform, SceneError* error) {
  if (!ExpectArray(value, path, error)) return 0;
  if (value.empty()) {
    return Refuse(error, path, "expected an operation name first");
  }
  std::string name;
  if (!ReadString(value[0], IndexPath(path, 0), &name, error)) return 0;
  const TransformName* found = FindTransform(name);
  if (found == nullptr) {
    return Refuse(error, IndexPath(path, 0),
                  "unknown operation \"" + name +
                      "\" (rotateX, rotateY, rotateZ, scale or reset)");
  }
  if (value.size() != found->arguments + 1) {
    return Refuse(error, path,
                  "\"" + name + "\" takes " +
                      CountOf(found->arguments, "number", "numbers") +
                      ", got " + std::to_string(value.size() - 1));
  }
  *transform = TransformEntry{found->kind, 0.0};
  return found->arguments == 0 ||
         ReadDouble(value[1], IndexPath(path, 1), &transform->amount, error);
}

int32_t ReadTransforms(const Json& value, const std::string& path,
                       ObjectEntry* object, SceneError* error) {
  if (!ExpectArray(value, path, error)) return 0;
  object->transforms.resize(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (!ReadTransform(value[i], IndexPath(path, i), &object->transforms[i],
                       error)) {
      return 0;
    }
  }
  return 1;
}

int32_t ReadOrientation(const Json& value, const std::string& path,
                        ObjectEntry* object, SceneError* error) {
  if (!ExpectArrayOf(value, path, 3, "rows", error)) return 0;
  for (size_t row = 0; row < 3; ++row) {
    if (!ReadDoubles(value[row], IndexPath(path, row), 3,
                     object->orientation[row], error)) {
      return 0;
    }
  }
  return 1;
}

}  // namespace

int32_t ReadObjectEntry(const Json& value, const std::string& path,
                        size_t meshCount, ObjectEntry* object,
                        SceneError* error) {
  if (!ExpectObject(value, path,
                    {"mesh", "orientation", "position", "transforms"}, error)) {
    return 0;
  }
  *object = DefaultObjectEntry();
  const bool noMesh = value.contains("mesh") && value["mesh"].is_null();
  if (noMesh) object->mesh = kNoMeshEntry;
  return (noMesh || ReadIndex(value.contains("mesh") ? value["mesh"] : Json(0),
                              KeyPath(path, "mesh"), meshCount, "mesh",
                              "meshes", &object->mesh, error)) &&
         (!value.contains("orientation") ||
          ReadOrientation(value["orientation"], KeyPath(path, "orientation"),
                          object, error)) &&
         (!value.contains("position") ||
          ReadInt32s(value["position"], KeyPath(path, "position"), 3,
                     object->position, error)) &&
         (!value.contains("transforms") ||
          ReadTransforms(value["transforms"], KeyPath(path, "transforms"),
                         object, error));
}
