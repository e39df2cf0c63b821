// Fuzz target: the glTF reader on arbitrary .gltf text. Files it names are
// looked up in an empty folder, so only data: URIs supply buffers and images.
#include <cstdint>
#include <map>
#include <vector>

#include "fuzz/model_check.h"
#include "scene/import/model_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  const std::map<std::string, std::vector<uint8_t>> none;
  renderer::ModelFiles files;
  files.memory = &none;
  renderer::Mesh mesh;
  std::vector<renderer::Texture> textures;
  std::string error;
  const bool ok = renderer::LoadGltfModel(bytes, false, "f.gltf", files, &mesh, &textures, &error);
  CheckModelResult(ok, "f.gltf", error, mesh, textures);
  return 0;
}
