#pragma once
// The scene file's looks: the top-level shading, textureFilter and samples
// keys, the triangles' corner normals, and the model scene's look and
// framing.
#include <cstdint>

#include "renderer/scene_file.h"
#include "scenefile/json_fields.h"
#include "scenefile/scene_description.h"

namespace renderer {

// "shading", "textureFilter" and "samples" of the top-level object.
int32_t ReadSceneLooks(const Field& root, Looks* looks);

// A triangle's "normals": three [x, y, z] triples of numbers, none all zero.
int32_t ReadTriangleNormals(const Field& field, TriangleEntry* triangle);

// The look's keys for the writer, each only where it is not the default.
template <typename Object>
void WriteSceneLooks(const Looks& looks, Object* out) {
  if (looks.shading != Shading::kFlat) {
    (*out)["shading"] = ShadingName(looks.shading);
  }
  if (looks.textureFilter != TextureFilter::kNearest) {
    (*out)["textureFilter"] = TextureFilterName(looks.textureFilter);
  }
  if (looks.samples != 1) (*out)["samples"] = looks.samples;
}

// The caller's choices (SceneFileOptions) over the file's.
void OverrideSceneLooks(const SceneLookChoices& choices, Looks* looks);

// The model's distance that frames it in the client: with R the largest
// distance of a vertex from the origin, f the focal length and m the
// client's smaller side (at least 1), round(sqrt(R^2 + (f R / (0.4 m))^2)),
// at least 2.
int32_t ModelSceneDistance(const Mesh& model, int32_t focalLength,
                           int32_t clientWidth, int32_t clientHeight);

}  // namespace renderer
