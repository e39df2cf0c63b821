#pragma once
// Near-plane clipping: each mesh triangle becomes zero, one or two
// triangles whose corners lie at camera z >= 1 (clipped_triangle.h).
#include <cstdint>

#include "render/clipped_triangle.h"
#include "render/draw_area.h"
#include "renderer/scene.h"

namespace renderer {

struct ClipResult {
  int32_t count;  // valid entries of clipped: 0, 1 or 2
  ClippedTriangle clipped[2];
};

// One object's mesh and its vertices this frame, as the clipper reads them;
// for smooth shading, its triangles' corner normals and its orientation.
struct ObjectFrame {
  const Mesh& mesh;
  const IntVertex* camera;
  const Vector3* vectors;  // null when the mesh has no vertex vectors
  const ProjectedVertex* projected;
  const CornerNormals* normals = nullptr;  // one per triangle, or null
  const double (*orientation)[3] = nullptr;
};

// What becomes of a mesh triangle.
enum class TriangleClass {
  kHidden,            // nothing to draw
  kCrossesNearPlane,  // some corners lie at z <= 1: clip
  kWhole,             // draw as it is
};

// True when the triangle lies wholly in front of the near plane and its
// span setup would cover no row of `area` inside `band`: exactly the rows
// the fills would get, from the corners' y, so such a triangle draws
// nothing and can be dropped before it is clipped, shaded or set up.
bool TriangleMissesRows(const ObjectFrame& object,
                        const MeshTriangle& triangle, const PixelArea& area,
                        const RowBand& band);

// For a triangle whose corners are all visible: true when it draws
// nothing, because TriangleMissesRows or ClassifyTriangle says so.
bool WholeTriangleHidden(const View& view, const ObjectFrame& object,
                         const MeshTriangle& triangle, const PixelArea& area,
                         const RowBand& band);

// Fills `result`, each triangle carrying `texture` and the context's light;
// returns true when it produced at least one triangle.
bool ClipTriangle(const DrawContext& context, const ObjectFrame& object,
                  const MeshTriangle& triangle, const Texture* texture,
                  ClipResult* result);

TriangleClass ClassifyTriangle(const View& view, const ObjectFrame& object,
                               const MeshTriangle& triangle);

// Corner `corner` (0..2) of the triangle, as projected this frame.
ClipVertex MakeClipVertex(const ObjectFrame& object,
                          const MeshTriangle& triangle, int32_t corner);

// The triangle as ClipTriangle hands on a wholly visible one: its three
// corners as projected, its texture and the light.
void SetWholeTriangle(ClippedTriangle& out, const ObjectFrame& object,
                      const MeshTriangle& triangle, const Texture* texture,
                      const IntVertex& light);

// The same for the flat fill, which reads only the corners' positions and
// colours and the light: vectors and texel coordinates are left zero and
// the texture null.
void SetWholeFlatTriangle(ClippedTriangle& out, const ObjectFrame& object,
                          const MeshTriangle& triangle, const IntVertex& light);

// The point where the edge from corner a to corner b meets z = 1. Its screen
// position is x * focalLength + centreX from the truncated x (likewise y),
// with the product exact in int64: past about 5 million units at focal
// length 400 it keeps growing instead of overflowing int32.
ClipVertex ClipEdge(const View& view, const ObjectFrame& object,
                    const MeshTriangle& triangle, int32_t a, int32_t b);

}  // namespace renderer
