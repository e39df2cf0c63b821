#pragma once
// The model readers on files in memory, beside LoadModel (renderer/model.h).
#include <cstdint>
#include <string>
#include <vector>

#include "renderer/mesh.h"
#include "renderer/model.h"
#include "renderer/texture.h"
#include "scene/import/model_files.h"

namespace renderer {

// The readers on a file already in memory. `name` is the file named in
// messages; `files` gives the files it refers to. Warnings are appended to
// `warnings` as they are found, also when the model is refused after. The
// glTF reader lets the file's bytes go once they are parsed, before the
// mesh is built (hand them over with std::move to keep one copy).
bool LoadGltfModel(std::vector<uint8_t> bytes, bool binary,
                   const std::string& name, const ModelFiles& files,
                   Mesh* mesh, std::vector<Texture>* textures,
                   std::vector<std::string>* warnings, std::string* error);
bool LoadObjModel(const std::vector<uint8_t>& bytes, const std::string& name,
                  const ModelFiles& files, Mesh* mesh,
                  std::vector<Texture>* textures,
                  std::vector<std::string>* warnings, std::string* error);

}  // namespace renderer
