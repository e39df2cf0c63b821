#pragma once
// Reading a scene file: JSON text in, a checked SceneDescription out.
// Nothing is drawn or loaded here; a refusal names its JSON path.
#include <string>

#include "scenefile/json_fields.h"
#include "scenefile/scene_description.h"
#include "scenefile/scene_layout.h"

namespace renderer {

// Parses and checks scene text, with the given sizes in place of
// the file's. `baseFolder` is the folder relative paths are taken from (""
// for the working directory). On refusal returns 0 and fills `error`;
// `scene` is then only partly filled.
int32_t ParseSceneText(const std::string& text, const std::string& baseFolder,
                       const SceneOverrides& overrides, SceneDescription* scene,
                       SceneError* error);

// Reads the file and parses it with the file's folder as base folder. A file
// that cannot be read is refused with the path "(file)".
int32_t LoadSceneFile(const std::string& fileName,
                      const SceneOverrides& overrides, SceneDescription* scene,
                      SceneError* error);

// The single line a refusal is shown as: "FILE: path: problem".
std::string FormatSceneError(const std::string& fileName,
                             const SceneError& error);

// `path` taken relative to `baseFolder` unless it is absolute.
std::string ResolvePath(const std::string& baseFolder, const std::string& path);

// The folder part of `fileName` ("" when it has none).
std::string FolderOf(const std::string& fileName);

}  // namespace renderer
