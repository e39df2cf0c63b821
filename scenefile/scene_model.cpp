// Model files as meshes of scene files and as scenes of their own.
#include "scenefile/scene_model.h"

#include "renderer/model.h"
#include "scenefile/scene_reader.h"
#include "scenefile/scene_sections.h"

namespace renderer {

int32_t ReadModelFileEntry(const Field& field, const std::string& baseFolder,
                           MeshEntry* mesh) {
  const Field file = Member(field, "file");
  if (!ExpectObject(field, {"file"}) || !ReadString(file, &mesh->file)) {
    return 0;
  }
  std::string problem;
  if (!LoadModel(ResolvePath(baseFolder, mesh->file), mesh->model,
                 mesh->modelTextures, mesh->modelWarnings, problem)) {
    return Refuse(file, problem);
  }
  mesh->fromFile = 1;
  return 1;
}

bool IsModelScenePath(const std::string& path) {
  return IsModelFileName(path);
}

int32_t ReadModelScene(const std::string& fileName,
                       const SceneOverrides& overrides, SceneDescription* scene,
                       std::string* error) {
  *scene = DefaultSceneDescription();
  MeshEntry& model = scene->meshes[0];
  model = MeshEntry{};
  model.file = fileName;
  if (!LoadModel(fileName, model.model, model.modelTextures, model.modelWarnings,
                 *error)) {
    return 0;
  }
  model.fromFile = 1;
  ObjectEntry light = DefaultObjectEntry();
  light.mesh = kNoMeshEntry;
  light.position[0] = -3200;
  light.position[1] = -3200;
  light.position[2] = 0;
  ObjectEntry shown = DefaultObjectEntry();
  shown.transforms = {{TransformKind::kRotateY, 30}, {TransformKind::kRotateX, -20}};
  scene->objects = {light, shown};
  scene->animatedObject = 1;
  SceneError sizes;
  if (ApplySceneOverrides(overrides, scene, &sizes)) return 1;
  *error = FormatSceneError(fileName, sizes);
  return 0;
}

}  // namespace renderer
