#pragma once
// Seed inputs of the model and image fuzz targets, made from the catalogue:
// valid files and files broken in the ways the readers must refuse.
#include <map>
#include <string>

#include "testmodels/model_description.h"

namespace models {

// The OBJ target's input: OBJ text, then this line and the MTL text (read
// as "m.mtl"), then the PNG line and image bytes (read as "t.png").
constexpr char kObjMtlSeparator[] = "\n#mtl\n";
constexpr char kObjPngSeparator[] = "\n#png\n";

// Fuzz target name (obj_model, gltf_model, glb_model, png_image,
// jpeg_image) -> its seed files.
std::map<std::string, FileSet> SeedFiles();

}  // namespace models
