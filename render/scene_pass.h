#pragma once
// The per-frame scene pass: transform every object into camera space,
// project its vertices, then draw its triangles and lines.
#include "render/clip.h"

namespace renderer {

// Resets every depth entry of the target to 9.0e20f, the spare ones past
// W x H included, so that no stale depth ever survives into a frame.
void ClearZBuffer(const FrameTarget& target, Workspace& workspace);

// Camera-space vertices (and vectors, when the mesh has them) of `object`;
// results past the int32 range saturate.
void TransformObject(const SceneObject& object, const Mesh& mesh,
                     ObjectVertices* vertices);

// Screen positions of the transformed vertices; a vertex at camera z <= 1
// is marked not visible.
void ProjectVertices(const View& view, const Mesh& mesh,
                     ObjectVertices* vertices);

// The mesh object `index` shows, or null when it has none (kNoMesh or an
// index past the scene's meshes) or the workspace lacks its vertex arrays.
const Mesh* RenderableMesh(const Scene& scene, const Workspace& workspace,
                           size_t index);

// One frame's scene into the frame buffer and depth buffer, after the
// depth reset: every object transformed, then projected, then drawn.
void RenderScene(DrawContext& context, const Scene& scene);

}  // namespace renderer
