#pragma once
// The per-frame scene pass: transform every object into camera space,
// project its vertices, then draw its triangles and lines.
#include "render/clip.h"

namespace renderer {

// Resets every depth entry of the target to 9.0e20f, the spare ones past
// W x H included, so that no stale depth ever survives into a frame.
void ClearZBuffer(const FrameTarget& target, Workspace& workspace);

// Resets depth entries begin..end - 1 of the target; the stage time is
// added to the workspace's counters when they ask for it.
void ClearDepthEntries(const FrameTarget& target, Workspace& workspace,
                       int64_t begin, int64_t end);

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
void DrawObjectTriangles(DrawContext& context, const Scene& scene,
                         const Mesh& mesh, const ObjectVertices& vertices);

// Every line of the object in mesh order (lines take no band: each step
// tests a 2 x 2 depth block that may straddle two bands).
void DrawObjectLines(const DrawContext& context, const Mesh& mesh,
                     const ObjectVertices& vertices);

// The light object's position; the origin when the scene names none.
IntVertex SceneLight(const Scene& scene);

// Every object transformed into camera space, then projected.
void TransformScene(DrawContext& context, const Scene& scene);

// The drawing stage's time is taken once, around all objects: a clock
// read per triangle would cost more than small triangles do. Start turns
// the per-fill timing off and returns the start time (-1 when not timing);
// End turns it back on and adds the stage time to fillNs.
int64_t StartDrawTiming(RenderStats& stats);
void EndDrawTiming(RenderStats& stats, int64_t start);

// One frame's scene into the frame buffer and depth buffer, after the
// depth reset: every object transformed, then projected, then drawn.
void RenderScene(DrawContext& context, const Scene& scene);

}  // namespace renderer
