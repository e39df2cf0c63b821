#pragma once
// The readers of the scene file's larger sections, each checking its own
// values and indices. Used by ParseSceneText.
#include <string>

#include "tools/render_scene/json_fields.h"
#include "tools/render_scene/scene_description.h"

// One entry of "meshes": "builtin", a mesh object whose texture indices
// must name one of `textureCount` textures, or {"file": PATH}, a model file
// (PATH taken from `baseFolder`) read at once.
int32_t ReadMeshEntry(const Json& value, const std::string& path,
                      size_t textureCount, const std::string& baseFolder,
                      MeshEntry* mesh, SceneError* error);

// The {"file": PATH} entry: the model file read into `mesh`; a model that
// cannot be read is refused with its own "FILE: place: problem" line.
int32_t ReadModelFileEntry(const Json& value, const std::string& path,
                           const std::string& baseFolder, MeshEntry* mesh,
                           SceneError* error);

// One entry of "objects", whose mesh must name one of `meshCount` meshes.
int32_t ReadObjectEntry(const Json& value, const std::string& path,
                        size_t meshCount, ObjectEntry* object,
                        SceneError* error);

// An index from 0 to count - 1; `nouns` names what is counted, singular and
// plural, for the message "index 3 out of range (2 meshes)".
int32_t ReadIndex(const Json& value, const std::string& path, size_t count,
                  const char* singular, const char* plural, int32_t* out,
                  SceneError* error);

// `length` numbers as doubles, e.g. a uv pair or an orientation row.
int32_t ReadDoubles(const Json& value, const std::string& path, size_t length,
                    double* out, SceneError* error);

// `length` whole numbers inside the int32 range.
int32_t ReadInt32s(const Json& value, const std::string& path, size_t length,
                   int32_t* out, SceneError* error);
