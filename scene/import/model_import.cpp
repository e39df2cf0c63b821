// Picks the reader by the file's ending.
#include "scene/import/model_import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

namespace renderer {

namespace {

std::string LowerEnding(const std::string& path) {
  std::string ending = std::filesystem::path(path).extension().string();
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return ending;
}

}  // namespace

bool IsModelFileName(const std::string& path) {
  const std::string ending = LowerEnding(path);
  return ending == ".obj" || ending == ".gltf" || ending == ".glb";
}

bool LoadModel(const std::string& path, Mesh& mesh,
               std::vector<Texture>& textures,
               std::vector<std::string>& warnings, std::string& error) {
  if (!IsModelFileName(path)) {
    error = OneLine(path + ": file: not a model file (.obj, .gltf or .glb)");
    return false;
  }
  std::vector<uint8_t> bytes;
  std::string problem;
  if (!ReadWholeFile(path, &bytes, &problem)) {
    error = OneLine(path + ": file: " + problem);
    return false;
  }
  ModelFiles files;
  files.folder = std::filesystem::path(path).parent_path().string();
  const std::string ending = LowerEnding(path);
  std::vector<std::string> found;  // handed over only with the model
  const bool loaded =
      ending == ".obj"
          ? LoadObjModel(bytes, path, files, &mesh, &textures, &found, &error)
          : LoadGltfModel(std::move(bytes), ending == ".glb", path, files, &mesh,
                          &textures, &found, &error);
  if (loaded) warnings.insert(warnings.end(), found.begin(), found.end());
  return loaded;
}

}  // namespace renderer
