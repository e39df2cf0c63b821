// Fuzz target: the glTF reader on arbitrary .glb files. Files they name are
// looked up in an empty folder, so buffers and images come from the BIN
// chunk or data: URIs.
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
  const bool ok = renderer::LoadGltfModel(bytes, true, "f.glb", files, &mesh, &textures, &error);
  CheckModelResult(ok, "f.glb", error, mesh, textures);
  return 0;
}
