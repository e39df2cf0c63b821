#include "scenefile/scene_build.h"

#include <algorithm>
#include <set>
#include <utility>

#include "renderer/model_looks.h"

namespace renderer {

namespace {

void LoadSceneTextures(const SceneDescription& scene, Scene* built,
                       std::vector<TextureNote>* notes) {
  built->textures.assign(scene.textures.size(), Texture{});
  std::set<std::string> reported;
  for (size_t i = 0; i < scene.textures.size(); ++i) {
    const TextureEntry& entry = scene.textures[i];
    Texture* texture = &built->textures[i];
    if (!entry.hasFile) continue;
    if (!LoadBmpTexture(entry.path.c_str(), *texture)) {
      if (reported.insert(entry.path).second) {
        notes->push_back(TextureNote{
            "textures[" + std::to_string(i) + "].file",
            "cannot load \"" + entry.file + "\"; the texture stays empty"});
      }
      continue;
    }
    if (entry.opaqueWhite) MakeWhiteOpaque(*texture);
  }
}

// The seven images after the file's own textures, and the model using them.
Mesh LoadBuiltinModel(const std::string& folder, Scene* built,
                      std::vector<TextureNote>* notes) {
  const int32_t first = static_cast<int32_t>(built->textures.size());
  for (Texture& image : LoadTexturesFrom(folder.c_str())) {
    built->textures.push_back(std::move(image));
  }
  NoteEmptyBuiltinImages(folder, &built->textures[size_t(first)], notes);
  return BuildModel(built->textures, first);
}

// A model file's mesh, its textures added after those already built; both
// moved out of the entry.
Mesh AddModelMesh(MeshEntry& entry, const Looks& looks, Scene* built) {
  const int32_t first = static_cast<int32_t>(built->textures.size());
  for (Texture& texture : entry.modelTextures) {
    built->textures.push_back(std::move(texture));
  }
  entry.modelTextures.clear();
  Mesh mesh = std::move(entry.model);
  for (MeshTriangle& triangle : mesh.triangles) {
    if (triangle.texture != kNoTexture) triangle.texture += first;
  }
  if (looks.shading == Shading::kSmooth) {
    RecolourNoMaterialFaces(mesh, kNoMaterialFlatColour,
                            kNoMaterialSmoothColour);
  }
  return mesh;
}

Mesh MakeOwnMesh(const MeshEntry& entry) {
  Mesh mesh;
  mesh.vertices = entry.vertices;
  if (entry.hasVertexVectors) mesh.vertexVectors = entry.vertexVectors;
  mesh.triangles.resize(entry.triangles.size());
  for (size_t i = 0; i < entry.triangles.size(); ++i) {
    const TriangleEntry& source = entry.triangles[i];
    MeshTriangle& target = mesh.triangles[i];
    for (int corner = 0; corner < 3; ++corner) {
      target.vertex[corner] = source.vertex[corner];
      target.colour[corner] = static_cast<uint32_t>(source.colour[corner]);
    }
    target.texture = source.texture;
    SetTexels(mesh, target, source.uv);
  }
  if (std::any_of(entry.triangles.begin(), entry.triangles.end(),
                  [](const TriangleEntry& t) { return t.hasNormals != 0; })) {
    mesh.normals.resize(entry.triangles.size());
    for (size_t i = 0; i < entry.triangles.size(); ++i) {
      const TriangleEntry& source = entry.triangles[i];
      if (!source.hasNormals) continue;
      mesh.normals[i] = CornerNormals{
          {source.normals[0], source.normals[1], source.normals[2]}};
    }
  }
  for (const LineEntry& line : entry.lines) {
    mesh.lines.push_back(MeshLine{
        line.from, line.to, static_cast<uint32_t>(line.fromColour),
        static_cast<uint32_t>(line.toColour)});
  }
  return mesh;
}

// The scene's meshes, one per "meshes" entry except that every built-in
// entry shares one model; returns each entry's mesh index.
std::vector<int32_t> BuildMeshes(SceneDescription& scene,
                                 const std::string& folder, LoadedScene* built,
                                 std::vector<TextureNote>* notes) {
  std::vector<int32_t> meshOfEntry;
  for (MeshEntry& entry : scene.meshes) {
    std::vector<Mesh>& meshes = built->scene.meshes;
    if (entry.builtin && built->builtinMesh != kNoMesh) {
      meshOfEntry.push_back(built->builtinMesh);
      continue;
    }
    meshOfEntry.push_back(static_cast<int32_t>(meshes.size()));
    if (entry.builtin) {
      built->builtinMesh = meshOfEntry.back();
      meshes.push_back(LoadBuiltinModel(folder, &built->scene, notes));
    } else if (entry.fromFile) {
      meshes.push_back(AddModelMesh(entry, scene.looks, &built->scene));
    } else {
      meshes.push_back(MakeOwnMesh(entry));
    }
  }
  return meshOfEntry;
}

void ApplyTransform(const TransformEntry& transform, SceneObject* object) {
  switch (transform.kind) {
    case TransformKind::kRotateX:
      RotateObjectX(*object, transform.amount);
      break;
    case TransformKind::kRotateY:
      RotateObjectY(*object, transform.amount);
      break;
    case TransformKind::kRotateZ:
      RotateObjectZ(*object, transform.amount);
      break;
    case TransformKind::kScale:
      ScaleObject(*object, transform.amount);
      break;
    case TransformKind::kReset:
      ResetObject(*object);
      break;
  }
}

void PlaceObjects(const SceneDescription& scene,
                  const std::vector<int32_t>& meshOfEntry, Scene* built) {
  built->objects.assign(scene.objects.size(), SceneObject{});
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const ObjectEntry& entry = scene.objects[i];
    SceneObject* object = &built->objects[i];
    object->mesh = entry.mesh == kNoMeshEntry ? kNoMesh
                                         : meshOfEntry[size_t(entry.mesh)];
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
                            const Texture* images,
                            std::vector<TextureNote>* notes) {
  const std::string where =
      folder.empty() ? "the working directory" : "\"" + folder + "\"";
  for (int slot = 0; slot < kTextureSlotCount; ++slot) {
    if (!images[slot].texels.empty()) continue;
    notes->push_back(TextureNote{
        "", std::string("built-in image ") + kTextureFileNames[slot] +
                " not found in " + where +
                " or its fallback folder; it stays empty"});
  }
}

void BuildScene(SceneDescription&& scene, const std::string& builtinFolder,
                LoadedScene* built, std::vector<TextureNote>* notes) {
  built->scene = Scene{};
  built->builtinMesh = kNoMesh;
  LoadSceneTextures(scene, &built->scene, notes);
  const std::vector<int32_t> meshOfEntry = BuildMeshes(
      scene, scene.hasBuiltinTextures ? scene.builtinTextures : builtinFolder,
      built, notes);
  PlaceObjects(scene, meshOfEntry, &built->scene);
  built->animatedObject = scene.animatedObject;
}

}  // namespace renderer
