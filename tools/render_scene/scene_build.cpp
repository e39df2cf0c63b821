#include "tools/render_scene/scene_build.h"

#include <set>

#include "scene/model.h"
#include "scene/scene_object.h"

namespace {

void LoadSceneTextures(const SceneDescription& scene, BuiltScene* built,
                       std::vector<TextureNote>* notes) {
  built->textures.assign(scene.textures.size(), Texture{});
  std::set<std::string> reported;
  for (size_t i = 0; i < scene.textures.size(); ++i) {
    const TextureEntry& entry = scene.textures[i];
    Texture* texture = &built->textures[i];
    if (!entry.hasFile) continue;
    if (!LoadBmpTexture(entry.path.c_str(), texture)) {
      if (reported.insert(entry.path).second) {
        notes->push_back(TextureNote{
            "textures[" + std::to_string(i) + "].file",
            "cannot load \"" + entry.file + "\"; the texture stays empty"});
      }
      continue;
    }
    if (entry.opaqueWhite) MakeWhiteOpaque(texture);
  }
}

void LoadBuiltinModel(const std::string& folder,
                      std::vector<TextureNote>* notes) {
  // Start from empty slots so that a failed load leaves a slot empty, as at
  // the demo's start-up, even when an earlier scene filled it.
  for (Texture& slot : textureSlots) FreeTexture(&slot);
  LoadTexturesFrom(folder.c_str());
  NoteEmptyBuiltinImages(folder, notes);
  BuildModel();
}

void FillOwnMesh(const MeshEntry& entry, BuiltScene* built, Mesh* mesh) {
  *mesh = Mesh{};
  mesh->vertexCount = static_cast<int32_t>(entry.vertices.size());
  mesh->vertices = new IntVertex[entry.vertices.size()];
  for (size_t i = 0; i < entry.vertices.size(); ++i) {
    mesh->vertices[i] = entry.vertices[i];
  }
  if (entry.hasVertexVectors) {
    mesh->hasVertexVectors = 1;
    mesh->vertexVectors = new Vector3[entry.vertexVectors.size()];
    for (size_t i = 0; i < entry.vertexVectors.size(); ++i) {
      mesh->vertexVectors[i] = entry.vertexVectors[i];
    }
  }
  mesh->triangleCount = static_cast<int32_t>(entry.triangles.size());
  mesh->triangles = new MeshTriangle[entry.triangles.size()];
  for (size_t i = 0; i < entry.triangles.size(); ++i) {
    const TriangleEntry& source = entry.triangles[i];
    MeshTriangle& target = mesh->triangles[i];
    for (int corner = 0; corner < 3; ++corner) {
      target.vertex[corner] = source.vertex[corner];
      target.colour[corner] = source.colour[corner];
      target.uv[corner][0] = source.uv[corner][0];
      target.uv[corner][1] = source.uv[corner][1];
    }
    target.texture = source.texture == kNoTexture
                         ? nullptr
                         : &built->textures[source.texture];
  }
  if (!entry.lines.empty()) {
    mesh->lineCount = static_cast<int32_t>(entry.lines.size());
    mesh->lines = new MeshLine[entry.lines.size()];
    for (size_t i = 0; i < entry.lines.size(); ++i)
      mesh->lines[i] = entry.lines[i];
  }
}

void BuildMeshes(const SceneDescription& scene, const std::string& folder,
                 BuiltScene* built, std::vector<TextureNote>* notes) {
  built->usesBuiltin = UsesBuiltinModel(scene);
  if (built->usesBuiltin) LoadBuiltinModel(folder, notes);
  size_t ownCount = 0;
  for (const MeshEntry& entry : scene.meshes) ownCount += entry.builtin ? 0 : 1;
  // Sized once, so the pointers taken below stay valid.
  built->ownMeshes.assign(ownCount, Mesh{});
  built->meshes.clear();
  size_t own = 0;
  for (const MeshEntry& entry : scene.meshes) {
    if (entry.builtin) {
      built->meshes.push_back(builtinModel);
      continue;
    }
    FillOwnMesh(entry, built, &built->ownMeshes[own]);
    built->meshes.push_back(&built->ownMeshes[own++]);
  }
}

void ApplyTransform(const TransformEntry& transform, SceneObject* object) {
  switch (transform.kind) {
    case TransformKind::kRotateX:
      RotateObjectX(object, transform.amount);
      break;
    case TransformKind::kRotateY:
      RotateObjectY(object, transform.amount);
      break;
    case TransformKind::kRotateZ:
      RotateObjectZ(object, transform.amount);
      break;
    case TransformKind::kScale:
      ScaleObject(object, transform.amount);
      break;
    case TransformKind::kReset:
      ResetObject(object);
      break;
  }
}

void PlaceObjects(const SceneDescription& scene, const BuiltScene& built) {
  CreateSceneObjects(static_cast<int32_t>(scene.objects.size()));
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const ObjectEntry& entry = scene.objects[i];
    SceneObject* object = &sceneObjects[i];
    BindObjectMesh(object, built.meshes[entry.mesh]);
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        object->orientation[row][column] = entry.orientation[row][column];
      }
      object->position[row] = entry.position[row];
    }
    for (const TransformEntry& transform : entry.transforms) {
      ApplyTransform(transform, object);
    }
  }
}

}  // namespace

void NoteEmptyBuiltinImages(const std::string& folder,
                            std::vector<TextureNote>* notes) {
  const std::string where =
      folder.empty() ? "the working directory" : "\"" + folder + "\"";
  for (int slot = 0; slot < kTextureSlotCount; ++slot) {
    if (textureSlots[slot].texels != nullptr) continue;
    notes->push_back(
        TextureNote{"", std::string("built-in image ") +
                            kTextureFileNames[slot] + " not found in " + where +
                            " or its fallback folder; it stays empty"});
  }
}

void BuildScene(const SceneDescription& scene, const std::string& builtinFolder,
                BuiltScene* built, std::vector<TextureNote>* notes) {
  LoadSceneTextures(scene, built, notes);
  BuildMeshes(scene,
              scene.hasBuiltinTextures ? scene.builtinTextures : builtinFolder,
              built, notes);
  PlaceObjects(scene, *built);
}

void ReleaseBuiltScene(BuiltScene* built) {
  for (Mesh& mesh : built->ownMeshes) {
    delete[] mesh.vertices;
    delete[] mesh.vertexVectors;
    delete[] mesh.triangles;
    delete[] mesh.lines;
    mesh = Mesh{};
  }
  for (Texture& texture : built->textures) FreeTexture(&texture);
  built->ownMeshes.clear();
  built->textures.clear();
  built->meshes.clear();
}
