// Model files as meshes of scene files and as scenes of their own.
#include "tools/render_scene/scene_model.h"

#include "renderer/model.h"
#include "tools/render_scene/scene_file.h"
#include "tools/render_scene/scene_sections.h"

int32_t ReadModelFileEntry(const Field& field, const std::string& baseFolder,
                           MeshEntry* mesh) {
  const Field file = Member(field, "file");
  if (!ExpectObject(field, {"file"}) || !ReadString(file, &mesh->file)) {
    return 0;
  }
  std::string problem;
  if (!renderer::LoadModel(ResolvePath(baseFolder, mesh->file), &mesh->model,
                           &mesh->modelTextures, &mesh->modelWarnings, &problem)) {
    return Refuse(file, problem);
  }
  mesh->fromFile = 1;
  return 1;
}

bool IsModelScene(const std::string& fileName) {
  return renderer::IsModelFileName(fileName);
}

int32_t LoadModelScene(const std::string& fileName,
                       const SceneOverrides& overrides, SceneDescription* scene,
                       std::string* error) {
  *scene = DefaultSceneDescription();
  MeshEntry& model = scene->meshes[0];
  model = MeshEntry{};
  model.file = fileName;
  if (!renderer::LoadModel(fileName, &model.model, &model.modelTextures,
                           &model.modelWarnings, error)) {
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
