#pragma once
// Turning a checked SceneDescription into the program's own records:
// textures, meshes and the scene's object array, placed and transformed by
// the program's own operations.
#include <string>
#include <vector>

#include "scene/mesh.h"
#include "scene/texture.h"
#include "tools/render_scene/scene_description.h"

// What a built scene owns besides the global object array and the built-in
// model: the scene's own textures and meshes.
struct BuiltScene {
  std::vector<Texture> textures;  // one record per "textures" entry
  std::vector<Mesh> ownMeshes;    // one per mesh object, in order
  std::vector<Mesh*> meshes;      // per "meshes" entry: own mesh or model
  int32_t usesBuiltin;
};

// A texture that could not be loaded: where it was asked for and why it
// stays empty. Not an error; render-scene reports each one once.
struct TextureNote {
  std::string path;  // JSON path, or "" for a built-in image
  std::string problem;
};

// Loads the textures, builds the meshes (the built-in model from the images
// in the scene's builtinTextures folder, else `builtinFolder`), creates the
// object array and places every object. The objects' buffers are bound;
// AllocateRenderBuffers has not run yet.
void BuildScene(const SceneDescription& scene, const std::string& builtinFolder,
                BuiltScene* built, std::vector<TextureNote>* notes);

// Notes for the seven built-in images that are empty after loading them
// from `folder`.
void NoteEmptyBuiltinImages(const std::string& folder,
                            std::vector<TextureNote>* notes);

// Releases the scene's own textures and meshes.
void ReleaseBuiltScene(BuiltScene* built);
