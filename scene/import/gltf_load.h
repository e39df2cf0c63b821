#pragma once
// Parsing a .gltf or .glb file with tinygltf, every file it names read
// through ModelFiles, images kept as bytes for our own decoders.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "scene/import/gltf_access.h"
#include "scene/import/model_files.h"

namespace renderer {

// What parsing gathered beside the model: the bytes of images given by URI
// (data: or a file; images in bufferViews are read after the checks), and
// every file the model named that could not be read, with why.
struct GltfSideFiles {
  std::vector<std::vector<uint8_t>> imageBytes;  // by image index
  std::vector<char> imageRead;                   // 1 where imageBytes is set
  std::vector<std::pair<std::string, std::string>> refused;  // path, problem
  std::vector<std::string> missing;  // of those, the paths naming nothing
};

bool ParseGltf(const std::vector<uint8_t>& bytes, bool binary,
               const ModelFiles& files, tinygltf::Model* model,
               GltfSideFiles* side, GltfError* error);

}  // namespace renderer
