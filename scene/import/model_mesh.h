#pragma once
// A model's triangles and lines as the readers collect them, in the file's
// own coordinates, and their conversion into one renderer mesh.
#include <cstdint>
#include <string>
#include <vector>

#include "renderer/geometry.h"
#include "renderer/mesh.h"
#include "renderer/texture.h"

namespace renderer {

// Most vertices, triangles or lines one model may have (int32 indices).
constexpr uint64_t kMaxModelElements = 0x7FFFFFFF;

// The untextured colour of a triangle whose primitive has no material.
constexpr uint32_t kNoMaterialColour = 0x606060;

// Triangles and lines keep the file's corner order, their indices naming
// `positions`; textured triangles name their entry of `texels`: uv in
// texels, v from the image's top row.
struct ModelMesh {
  std::vector<Vector3> positions;  // the file's axes: +y up, +z front
  std::vector<MeshTriangle> triangles;
  std::vector<MeshLine> lines;
  std::vector<CornerNormals> normals;  // empty, or per triangle (model_normals.h)
  std::vector<TriangleTexels> texels;
};

// Appends `triangle` drawn with its texture, each corner's uv in texels.
void AddModelTexturedTriangle(ModelMesh* model, MeshTriangle triangle,
                              const double (&uv)[3][2]);

// True when `more` further elements still fit beside `current`.
inline bool RoomFor(size_t current, uint64_t more) {
  return more <= kMaxModelElements && current <= kMaxModelElements - more;
}

// Centres the used positions on their bounding box, scales its largest side
// to 1600 units, turns the file's axes into the renderer's (x right, y
// down, z away: y and z negated) and rounds to the nearest integer; orders
// each triangle's corners so the fill's plane normal points out of the side
// from which the file's corners run counter-clockwise; keeps only vertices
// that a triangle or line uses. False with `problem` set when the model
// has nothing to draw or its extent is not finite. Takes the triangles
// and lines over in place, so the model's memory is not needed twice.
bool FinishModelMesh(ModelMesh&& model, Mesh* mesh, std::string* problem);

// The readers' last step: FinishModelMesh, then the mesh and `images` into
// the caller's records, or, on failure, `error` set to "NAME: model: ..."
// and the records left as they were.
bool HandOverModel(ModelMesh&& model, std::vector<Texture>&& images,
                   const std::string& name, Mesh* mesh,
                   std::vector<Texture>* textures, std::string* error);

}  // namespace renderer
