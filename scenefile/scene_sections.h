#pragma once
// The readers of the scene file's larger sections, each checking its own
// values and indices. Used by ParseSceneText.
#include <string>

#include "scenefile/json_fields.h"
#include "scenefile/scene_description.h"

namespace renderer {

// One entry of "meshes": "builtin", a mesh object whose texture indices
// must name one of `textureCount` textures, or {"file": PATH}, a model file
// (PATH taken from `baseFolder`) read at once.
int32_t ReadMeshEntry(const Field& field, size_t textureCount,
                      const std::string& baseFolder, MeshEntry* mesh);

// The {"file": PATH} entry: the model file read into `mesh`; a model that
// cannot be read is refused with its own "FILE: place: problem" line.
int32_t ReadModelFileEntry(const Field& field, const std::string& baseFolder,
                           MeshEntry* mesh);

// One entry of "objects", whose mesh must name one of `meshCount` meshes.
int32_t ReadObjectEntry(const Field& field, size_t meshCount,
                        ObjectEntry* object);

// An index from 0 to count - 1; `singular` and `plural` name what is counted,
// for the message "index 3 out of range (2 meshes)".
int32_t ReadIndex(const Field& field, size_t count, const char* singular,
                  const char* plural, int32_t* out);

// `length` numbers as doubles, e.g. a uv pair or an orientation row.
int32_t ReadDoubles(const Field& field, size_t length, double* out);

// `length` whole numbers inside the int32 range.
int32_t ReadInt32s(const Field& field, size_t length, int32_t* out);

}  // namespace renderer
