// Fuzz target: the glTF reader on arbitrary .glb files. Files they name are
// looked up in an empty folder, so buffers and images come from the BIN
// chunk or data: URIs.
#include <cstdint>

#include "fuzz/model_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzGltfModel(data, size, true, "f.glb");
  return 0;
}
