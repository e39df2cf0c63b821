// Fuzz target: the glTF reader on arbitrary .gltf text. Files it names are
// looked up in an empty folder, so only data: URIs supply buffers and images.
#include <cstdint>

#include "fuzz/model_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzGltfModel(data, size, false, "f.gltf");
  return 0;
}
