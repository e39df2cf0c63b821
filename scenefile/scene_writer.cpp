// Writing a loaded scene as a scene file. Doubles go out in the shortest
// form that reads back as the same double.
#include "renderer/renderer.h"
#include "renderer/scene_file.h"

#include "scenefile/scene_looks.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <vector>

namespace renderer {

namespace {

using Ordered = nlohmann::ordered_json;

std::string TextureFileName(const std::string& stem, size_t index) {
  return stem + "-tex" + std::to_string(index) + ".bmp";
}

// The name without its folder and its ".json" ending.
std::string Stem(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string FolderPart(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? "" : fileName.substr(0, slash + 1);
}

bool WriteTexture(const std::string& path, const Texture& texture) {
  std::vector<uint32_t> pixels(size_t(texture.width) * size_t(texture.height));
  for (size_t i = 0; i < pixels.size(); ++i) {
    const uint8_t* t = &texture.texels[i * 3];
    pixels[i] = uint32_t(t[0]) << 16 | uint32_t(t[1]) << 8 | t[2];
  }
  return WriteBmp24(path.c_str(), pixels.data(), texture.width,
                              texture.height, texture.width);
}

Ordered MeshJson(const Mesh& mesh) {
  Ordered out = Ordered::object();
  Ordered& vertices = out["vertices"] = Ordered::array();
  for (const IntVertex& v : mesh.vertices) vertices.push_back({v.x, v.y, v.z});
  if (!mesh.vertexVectors.empty()) {
    Ordered& vectors = out["vertexVectors"] = Ordered::array();
    for (const Vector3& v : mesh.vertexVectors) vectors.push_back({v.x, v.y, v.z});
  }
  Ordered& triangles = out["triangles"] = Ordered::array();
  for (const MeshTriangle& t : mesh.triangles) {
    Ordered triangle = Ordered::object();
    triangle["vertex"] = {t.vertex[0], t.vertex[1], t.vertex[2]};
    triangle["colour"] = {t.colour[0], t.colour[1], t.colour[2]};
    triangle["texture"] = t.texture == kNoTexture ? Ordered(nullptr) : Ordered(t.texture);
    static const TriangleTexels kNone;
    const TriangleTexels* texels = TexelsOf(mesh, t);
    const double(&uv)[3][2] = (texels != nullptr ? texels : &kNone)->uv;
    triangle["uv"] = {{uv[0][0], uv[0][1]}, {uv[1][0], uv[1][1]}, {uv[2][0], uv[2][1]}};
    const size_t index = triangles.size();
    if (index < mesh.normals.size() && HasOwnNormals(mesh.normals[index])) {
      const Vector3* n = mesh.normals[index].corner;
      triangle["normals"] = {{n[0].x, n[0].y, n[0].z}, {n[1].x, n[1].y, n[1].z},
                             {n[2].x, n[2].y, n[2].z}};
    }
    triangles.push_back(triangle);
  }
  Ordered& lines = out["lines"] = Ordered::array();
  for (const MeshLine& l : mesh.lines) {
    lines.push_back({{"from", l.from}, {"to", l.to}, {"fromColour", l.fromColour},
                     {"toColour", l.toColour}});
  }
  return out;
}

Ordered ObjectJson(const SceneObject& object) {
  Ordered out = Ordered::object();
  out["mesh"] = object.mesh == kNoMesh ? Ordered(nullptr) : Ordered(object.mesh);
  Ordered& rows = out["orientation"] = Ordered::array();
  for (const auto& row : object.orientation) rows.push_back({row[0], row[1], row[2]});
  out["position"] = {object.position[0], object.position[1], object.position[2]};
  return out;
}

// Frame, client, viewport and camera.
void ViewJson(const LoadedScene& loaded, Ordered* out) {
  const View& view = loaded.view;
  (*out)["frameBuffer"] = {{"width", loaded.frameWidth}, {"height", loaded.frameHeight}};
  (*out)["client"] = {{"width", loaded.clientWidth}, {"height", loaded.clientHeight}};
  (*out)["viewport"] = {{"left", view.viewportLeft}, {"top", view.viewportTop},
                        {"right", view.viewportRight}, {"bottom", view.viewportBottom}};
  (*out)["camera"] = {{"focalLength", view.focalLength}, {"nearZ", view.nearZ},
                      {"centreX", view.centreX}, {"centreY", view.centreY}};
}

}  // namespace

bool WriteScene(const std::string& fileName, const LoadedScene& loaded,
                std::string& problem) {
  const Scene& scene = loaded.scene;
  const std::string stem = Stem(fileName);
  Ordered out = Ordered::object();
  ViewJson(loaded, &out);
  Ordered& textures = out["textures"] = Ordered::array();
  for (size_t i = 0; i < scene.textures.size(); ++i) {
    if (!TextureIsUsable(scene.textures[i])) {
      textures.push_back(Ordered::object());  // stays empty, as it was
      continue;
    }
    const std::string name = TextureFileName(stem, i);
    if (!WriteTexture(FolderPart(fileName) + name, scene.textures[i])) {
      problem = "cannot write " + FolderPart(fileName) + name;
      return false;
    }
    textures.push_back({{"file", name}, {"opaqueWhite", false}});
  }
  Ordered& meshes = out["meshes"] = Ordered::array();
  for (const Mesh& mesh : scene.meshes) meshes.push_back(MeshJson(mesh));
  Ordered& objects = out["objects"] = Ordered::array();
  for (const SceneObject& object : scene.objects) objects.push_back(ObjectJson(object));
  if (!scene.objects.empty()) out["animatedObject"] = loaded.animatedObject;
  WriteSceneLooks(loaded.view.looks, &out);
  const std::string text = out.dump(1) + "\n";
  FILE* file = std::fopen(fileName.c_str(), "wb");
  const bool written = file != nullptr &&
                       std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if ((file != nullptr && std::fclose(file) != 0) || !written) {
    problem = "cannot write " + fileName;
    return false;
  }
  return true;
}

}  // namespace renderer
