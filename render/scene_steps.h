#pragma once
// The steps of a frame that the one-band and the banded pass both take:
// the depth reset, every object transformed into camera space and its
// vertices projected, and an object's triangles and lines drawn in mesh
// order.
#include "render/clip.h"

namespace renderer {

// Resets every depth entry of the target to 9.0e20f, the spare ones past
// W x H included, so that no stale depth ever survives into a frame; with
// `kernels`' stores (null: the plain loop). The stage time is added to
// `counters` when they ask for it.
void ClearZBuffer(const FrameTarget& target, const RowKernels* kernels,
                  RenderStats& counters);

// The same for depth entries begin..end - 1 only.
void ClearDepthEntries(const FrameTarget& target, const RowKernels* kernels,
                       RenderStats& counters, int64_t begin, int64_t end);

// Camera-space vertices (and vectors, when the mesh has them) of `object`;
// results past the int32 range saturate.
void TransformObject(const SceneObject& object, const Mesh& mesh,
                     ObjectVertices* vertices);

// The same for vertices begin..end - 1 only.
void TransformVertexRange(const SceneObject& object, const Mesh& mesh,
                          ObjectVertices* vertices, size_t begin, size_t end);

// Screen positions of the transformed vertices; a vertex at camera z <= 1
// is marked not visible.
void ProjectVertices(const View& view, const Mesh& mesh,
                     ObjectVertices* vertices);

// The same for vertices begin..end - 1 only.
void ProjectVertexRange(const View& view, ObjectVertices* vertices,
                        size_t begin, size_t end);

// The mesh object `index` shows, or null when it has none (kNoMesh or an
// index past the scene's meshes) or the workspace lacks its vertex arrays.
const Mesh* RenderableMesh(const Scene& scene, const Workspace& workspace,
                           size_t index);

// Every triangle of the object in mesh order, inside the context's band.
// The drawing stage is timed by the caller, around many objects: a clock
// read per triangle would cost more than small triangles do.
void DrawObjectTriangles(DrawContext& context, const Scene& scene,
                         const Mesh& mesh, const ObjectVertices& vertices);

// DrawObjectTriangles for a band that covers the rows its vertex keys were
// made for (vertex_keys.h): each triangle's fate read from its corners'
// keys, the full checks made only where the keys cannot tell. The same
// pixels.
void DrawKeyedTriangles(DrawContext& context, const Scene& scene,
                        const Mesh& mesh, const ObjectVertices& vertices,
                        const uint32_t* keys);

// The object's frame for the clipper: its mesh and this frame's vertices.
ObjectFrame ObjectFrameOf(const Mesh& mesh, const ObjectVertices& vertices);

// Ascending triangle numbers, read from `at` up to `end`.
struct NumberList {
  const uint32_t* at;
  const uint32_t* end;
};

// The object's triangles (numbered from `base`) that either list names
// next, drawn in number order; each list is left at its first number past
// the object's.
void DrawListedTriangles(DrawContext& context, const Scene& scene,
                         const Mesh& mesh, const ObjectVertices& vertices,
                         uint32_t base, NumberList& own, NumberList& shared);

// Every line of the object in mesh order (lines take no band: each step
// tests a 2 x 2 depth block that may straddle two bands).
void DrawObjectLines(const DrawContext& context, const Mesh& mesh,
                     const ObjectVertices& vertices);

// The light object's position; the origin when the scene names none.
IntVertex SceneLight(const Scene& scene);

// Every object transformed into camera space, then projected.
void TransformScene(const View& view, const Scene& scene,
                    Workspace& workspace);

}  // namespace renderer
