#pragma once
// Writing a generated model as OBJ + MTL, as .gltf (external .bin or data:
// URIs) and as .glb, its images as PNG or JPEG. Everything is built in
// memory, so tests can read it back without touching the disk.
#include <string>

#include "testmodels/model_description.h"

namespace models {

enum class ImageKind { kPng, kJpeg };  // images with alpha are always PNG
enum class GltfLayout { kExternal, kDataUri, kBinary };

// NAME.gltf + NAME.bin + NAME-N.png|jpg; NAME-embedded.gltf; or NAME.glb.
FileSet WriteGltf(const GenModel& model, const std::string& name,
                  GltfLayout layout, ImageKind images);

// NAME.obj + NAME.mtl + NAME-N.png|jpg, node transforms applied to the
// positions, strips and fans written as triangles, line primitives as `l`.
FileSet WriteObj(const GenModel& model, const std::string& name, ImageKind images);

// Base64, as data: URIs hold it.
std::string Base64(const std::vector<uint8_t>& bytes);

}  // namespace models
