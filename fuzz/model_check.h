#pragma once
// What every model reader's result must satisfy, accepted or refused.
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "renderer/mesh.h"
#include "renderer/texture.h"
#include "scene/import/model_import.h"

// Accepted: every index names a vertex, texture or texels entry (textured
// triangles only have one), every vertex lies in the
// 1600-unit box, every texture holds all its texels. Refused: one line that
// starts with the file's name, and the outputs untouched.
inline void CheckModelResult(bool ok, const std::string& name, const std::string& error,
                             const renderer::Mesh& mesh,
                             const std::vector<renderer::Texture>& textures) {
  if (!ok) {
    FUZZ_CHECK(error.rfind(name + ": ", 0) == 0);
    FUZZ_CHECK(error.find('\n') == std::string::npos);
    FUZZ_CHECK(mesh.vertices.empty() && mesh.triangles.empty() && textures.empty());
    return;
  }
  const int64_t vertices = int64_t(mesh.vertices.size());
  FUZZ_CHECK(!mesh.triangles.empty() || !mesh.lines.empty());
  for (const renderer::IntVertex& v : mesh.vertices) {
    FUZZ_CHECK(std::abs(v.x) <= 801 && std::abs(v.y) <= 801 && std::abs(v.z) <= 801);
  }
  for (const renderer::MeshTriangle& t : mesh.triangles) {
    for (int32_t i : t.vertex) FUZZ_CHECK(i >= 0 && i < vertices);
    FUZZ_CHECK(t.texture == renderer::kNoTexture ||
               (t.texture >= 0 && size_t(t.texture) < textures.size()));
    FUZZ_CHECK((t.texture == renderer::kNoTexture) == (t.texels == renderer::kNoTexels));
    FUZZ_CHECK(t.texels == renderer::kNoTexels || renderer::TexelsOf(mesh, t) != nullptr);
  }
  for (const renderer::MeshLine& l : mesh.lines) {
    FUZZ_CHECK(l.from >= 0 && l.from < vertices && l.to >= 0 && l.to < vertices);
  }
  for (const renderer::Texture& t : textures) {
    FUZZ_CHECK(t.width > 0 && t.height > 0);
    FUZZ_CHECK(t.texels.size() == size_t(t.width) * size_t(t.height) * 3);
  }
}

// Each warning is one line naming the model file and a missing file.
inline void CheckModelWarnings(const std::vector<std::string>& warnings,
                               const std::string& name) {
  for (const std::string& warning : warnings) {
    FUZZ_CHECK(warning.rfind(name + ": ", 0) == 0);
    FUZZ_CHECK(warning.find('\n') == std::string::npos);
    FUZZ_CHECK(warning.find(": no such file; drawn without ") != std::string::npos);
  }
}

// The glTF reader on `data` as a .gltf or .glb named `name`, beside an
// empty folder, its result checked as above.
inline void FuzzGltfModel(const uint8_t* data, size_t size, bool binary,
                          const std::string& name) {
  const std::vector<uint8_t> bytes(data, data + size);
  const std::map<std::string, std::vector<uint8_t>> none;
  renderer::ModelFiles files;
  files.memory = &none;
  renderer::Mesh mesh;
  std::vector<renderer::Texture> textures;
  std::vector<std::string> warnings;
  std::string error;
  const bool ok = renderer::LoadGltfModel(bytes, binary, name, files, &mesh, &textures,
                                          &warnings, &error);
  CheckModelWarnings(warnings, name);
  CheckModelResult(ok, name, error, mesh, textures);
}
