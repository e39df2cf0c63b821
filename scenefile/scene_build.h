#pragma once
// Turning a checked SceneDescription into the renderer's Scene: textures,
// meshes and objects, placed and transformed by the renderer's own
// operations.
#include <cstdint>
#include <string>
#include <vector>

#include "renderer/renderer.h"
#include "renderer/scene_file.h"
#include "scenefile/scene_description.h"

namespace renderer {

// A texture that could not be loaded: where it was asked for and why it
// stays empty. Not an error: each is noted once, for the caller to show.
struct TextureNote {
  std::string path;  // JSON path, or "" for a built-in image
  std::string problem;
};

// Loads the textures, builds the meshes (the built-in model from the images
// in the scene's builtinTextures folder, else `builtinFolder`) and places
// every object: built->scene, builtinMesh and animatedObject. The file's
// textures come first in scene.textures, then, when a mesh is the built-in
// model, its seven images; every "builtin" mesh entry shares the one model
// mesh, whose fins the animation scrolls. Model files' meshes and textures
// are moved out of the entries.
void BuildScene(SceneDescription&& scene, const std::string& builtinFolder,
                LoadedScene* built, std::vector<TextureNote>* notes);

// Notes for the built-in images (`images`, in slot order) that are empty
// after loading them from `folder`.
void NoteEmptyBuiltinImages(const std::string& folder,
                            const Texture* images,
                            std::vector<TextureNote>* notes);

}  // namespace renderer
