// Reading the entries of "objects": mesh index, orientation, position and
// the list of transform operations.
#include "scenefile/scene_sections.h"

namespace renderer {

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

int32_t ReadTransform(const Field& field, TransformEntry* transform) {
  if (!ExpectArray(field)) return 0;
  const size_t count = ElementCount(field);
  if (count == 0) return Refuse(field, "expected an operation name first");
  const Field first = Element(field, 0);
  std::string name;
  if (!ReadString(first, &name)) return 0;
  const TransformName* found = FindTransform(name);
  if (found == nullptr) {
    return Refuse(first, "unknown operation \"" + name +
                             "\" (rotateX, rotateY, rotateZ, scale or reset)");
  }
  if (count != found->arguments + 1) {
    return Refuse(field, "\"" + name + "\" takes " +
                             CountOf(found->arguments, "number", "numbers") +
                             ", got " + std::to_string(count - 1));
  }
  *transform = TransformEntry{found->kind, 0.0};
  return found->arguments == 0 ||
         ReadDouble(Element(field, 1), &transform->amount);
}

}  // namespace

int32_t ReadObjectEntry(const Field& field, size_t meshCount,
                        ObjectEntry* object) {
  static const Json kMeshZero = 0;
  if (!ExpectObject(field, {"mesh", "orientation", "position", "transforms"})) {
    return 0;
  }
  *object = DefaultObjectEntry();
  const Field mesh = Member(field, "mesh");
  const bool noMesh = Present(mesh) && mesh.value->is_null();
  if (noMesh) object->mesh = kNoMeshEntry;
  return (noMesh || ReadIndex(OrDefault(mesh, kMeshZero), meshCount, "mesh",
                              "meshes", &object->mesh)) &&
         ReadElementsOf(Member(field, "orientation"), 3, "rows",
                        [object](const Field& row, size_t i) {
                          return ReadDoubles(row, 3, object->orientation[i]);
                        }) &&
         ReadInt32s(Member(field, "position"), 3, object->position) &&
         ReadList(Member(field, "transforms"), &object->transforms,
                  ReadTransform);
}

}  // namespace renderer
