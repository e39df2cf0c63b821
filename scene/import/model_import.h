#pragma once
// Model files (.obj with .mtl, .gltf, .glb) made into one renderer mesh and
// the textures its triangles use.
#include <cstdint>
#include <string>
#include <vector>

#include "renderer/mesh.h"
#include "renderer/texture.h"
#include "scene/import/model_files.h"

namespace renderer {

// True when the name ends in .obj, .gltf or .glb (any letter case).
bool IsModelFileName(const std::string& path);

// Reads the model file at `path`; triangle texture indices index
// `textures`. On failure returns false with `error` set to one line
// "FILE: place: problem" and leaves `mesh` and `textures` as they were.
bool LoadModel(const std::string& path, Mesh* mesh,
               std::vector<Texture>* textures, std::string* error);

// The readers on a file already in memory. `name` is the file named in
// messages; `files` gives the files it refers to.
bool LoadGltfModel(const std::vector<uint8_t>& bytes, bool binary,
                   const std::string& name, const ModelFiles& files,
                   Mesh* mesh, std::vector<Texture>* textures,
                   std::string* error);
bool LoadObjModel(const std::vector<uint8_t>& bytes, const std::string& name,
                  const ModelFiles& files, Mesh* mesh,
                  std::vector<Texture>* textures, std::string* error);

}  // namespace renderer
