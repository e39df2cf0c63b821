#pragma once
// Model files: Wavefront OBJ (with its MTL materials) and glTF 2.0 (.gltf
// with external files or data: URIs, .glb), with PNG, JPEG and BMP images.
#include <string>
#include <vector>

#include "renderer/geometry.h"
#include "renderer/mesh.h"
#include "renderer/texture.h"

namespace renderer {

// True when the name ends in .obj, .gltf or .glb (any letter case).
bool IsModelFileName(const std::string& path);

// Reads the model file at `path` into one mesh: every triangle and line of
// the file's scene with node transforms applied, centred and scaled so the
// largest side of its box is 1600 units, +y up on the screen and +z toward
// the viewer; untextured triangles coloured from their materials, textured
// ones indexing `textures` (pure white only where an alpha cut removed a
// texel). Files the model names must lie inside its folder. A material
// file or image the model names that does not exist leaves the faces
// using it drawn without it: one line per such file, "FILE: place: no
// such file; drawn without ...", is appended to `warnings` for the caller
// to show (the library prints nothing). On failure returns false with
// `error` set to one line "FILE: place: problem" and leaves `mesh`,
// `textures` and `warnings` as they were.
bool LoadModel(const std::string& path, Mesh& mesh,
               std::vector<Texture>& textures,
               std::vector<std::string>& warnings, std::string& error);

// A model given as arrays rather than a file, made into one mesh by the
// model-file rules: `positions` in the model's own axes (+y up, +z toward
// the viewer), triangles and lines naming them, textured triangles naming
// their entry of `texels` (uv in texels). The used positions are centred
// on their box, scaled so its largest side is 1600 units and rounded, y and
// z negated; corners 1 and 2 of every triangle and every texels entry swap
// (with the colours), so the side from which the given corners run
// counter-clockwise is the front; unused positions are dropped. Every index
// must name a position. False with `problem` set when there is nothing to
// draw or the extent is not finite, leaving `mesh` as it was.
bool FitModelMesh(std::vector<Vector3> positions,
                  std::vector<MeshTriangle> triangles,
                  std::vector<TriangleTexels> texels,
                  std::vector<MeshLine> lines, Mesh* mesh,
                  std::string* problem);

}  // namespace renderer
