// Fuzz target: the OBJ reader with its material file and one image. The
// input is OBJ text, then "\n#mtl\n" and the MTL text (read as m.mtl), then
// "\n#png\n" and image bytes (read as t.png); missing parts are empty.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fuzz/model_check.h"
#include "scene/import/model_import.h"

namespace {

// The text before `separator`, and the rest after it (or nothing).
std::string SplitOff(std::string* text, const std::string& separator) {
  const size_t at = text->find(separator);
  if (at == std::string::npos) return "";
  std::string rest = text->substr(at + separator.size());
  text->resize(at);
  return rest;
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string obj(reinterpret_cast<const char*>(data), size);
  std::string mtl = SplitOff(&obj, "\n#mtl\n");
  const std::string png = SplitOff(&mtl, "\n#png\n");
  const std::map<std::string, std::vector<uint8_t>> folder = {{"m.mtl", Bytes(mtl)},
                                                              {"t.png", Bytes(png)}};
  renderer::ModelFiles files;
  files.memory = &folder;
  renderer::Mesh mesh;
  std::vector<renderer::Texture> textures;
  std::vector<std::string> warnings;
  std::string error;
  const bool ok =
      renderer::LoadObjModel(Bytes(obj), "f.obj", files, &mesh, &textures, &warnings, &error);
  CheckModelWarnings(warnings, "f.obj");
  CheckModelResult(ok, "f.obj", error, mesh, textures);
  return 0;
}
