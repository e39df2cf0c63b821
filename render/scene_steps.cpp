// The steps of a frame both passes take: depth reset, transform,
// projection, and an object's triangles and lines.
#include "render/scene_steps.h"

#include <algorithm>

#include "render/fill_dispatch.h"
#include "renderer/int32.h"
#include "render/line.h"
#include "render/looks_fill.h"
#include "render/vertex_keys.h"
#include "render/word_fill.h"

namespace renderer {

namespace {

bool HasVertexVectors(const Mesh& mesh) {
  return !mesh.vertexVectors.empty() &&
         mesh.vertexVectors.size() >= mesh.vertices.size();
}

// The texture a triangle's index names, or null.
const Texture* TextureOf(const Scene& scene, const MeshTriangle& triangle) {
  if (triangle.texture < 0 || size_t(triangle.texture) >= scene.textures.size()) {
    return nullptr;
  }
  return &scene.textures[size_t(triangle.texture)];
}

}  // namespace

void ClearZBuffer(const FrameTarget& target, const RowKernels* kernels,
                  RenderStats& counters) {
  if (target.depth == nullptr || target.depthEntries <= 0) return;
  ClearDepthEntries(target, kernels, counters, 0, target.depthEntries);
}

void ClearDepthEntries(const FrameTarget& target, const RowKernels* kernels,
                       RenderStats& counters, int64_t begin, int64_t end) {
  if (target.depth == nullptr || begin >= end) return;
  const int64_t start = StageStart(counters);
  FillFloatBits(kernels, target.depth + begin, size_t(end - begin),
                kDepthClearBits);
  AddStageTime(counters, start, counters.depthResetNs);
}

void TransformObject(const SceneObject& object, const Mesh& mesh,
                     ObjectVertices* vertices) {
  TransformVertexRange(object, mesh, vertices, 0, mesh.vertices.size());
}

void TransformVertexRange(const SceneObject& object, const Mesh& mesh,
                          ObjectVertices* vertices, size_t begin, size_t end) {
  const double(&m)[3][3] = object.orientation;
  IntVertex* camera = vertices->camera.data();
  for (size_t j = begin; j < end; ++j) {
    const double p[3] = {double(mesh.vertices[j].x),
                         double(mesh.vertices[j].y),
                         double(mesh.vertices[j].z)};
    int32_t out[3];
    for (int i = 0; i < 3; ++i) {
      const double turned = m[i][0] * p[0] + m[i][1] * p[1] + m[i][2] * p[2];
      // Truncated first, then moved; both steps saturate at the int32 range.
      out[i] = SaturateToInt32(int64_t(TruncateToInt32(turned)) +
                               object.position[i]);
    }
    camera[j] = IntVertex{out[0], out[1], out[2]};
  }
  if (!HasVertexVectors(mesh)) return;
  Vector3* vectors = vertices->vectors.data();
  for (size_t j = begin; j < end; ++j) {
    const Vector3& v = mesh.vertexVectors[j];
    Vector3& out = vectors[j];
    out.x = m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z;
    out.y = m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z;
    out.z = m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z;
  }
}

void ProjectVertices(const View& view, const Mesh& mesh,
                     ObjectVertices* vertices) {
  ProjectVertexRange(view, vertices, 0, mesh.vertices.size());
}

void ProjectVertexRange(const View& view, ObjectVertices* vertices,
                        size_t begin, size_t end) {
  const double f = double(view.focalLength);
  const IntVertex* camera = vertices->camera.data();
  ProjectedVertex* projected = vertices->projected.data();
  for (size_t j = begin; j < end; ++j) {
    const IntVertex& v = camera[j];
    // The constant 1, not nearZ: anything nearer is cut by the clipper.
    if (v.z > 1) {
      projected[j].screenX = (double(v.x) * f) / double(v.z) + view.centreX;
      projected[j].screenY = (double(v.y) * f) / double(v.z) + view.centreY;
      projected[j].visible = true;
    } else {
      projected[j].visible = false;
    }
  }
}

ObjectFrame ObjectFrameOf(const Mesh& mesh, const ObjectVertices& vertices) {
  return ObjectFrame{mesh,
                     vertices.camera.data(),
                     HasVertexVectors(mesh) ? vertices.vectors.data() : nullptr,
                     vertices.projected.data(),
                     vertices.normals,
                     vertices.orientation};
}

void DrawObjectTriangles(DrawContext& context, const Scene& scene,
                         const Mesh& mesh, const ObjectVertices& vertices) {
  const ObjectFrame object = ObjectFrameOf(mesh, vertices);
  for (const MeshTriangle& triangle : mesh.triangles) {
    DrawTriangle(context, object, triangle, TextureOf(scene, triangle));
  }
}

void DrawKeyedTriangles(DrawContext& context, const Scene& scene,
                        const Mesh& mesh, const ObjectVertices& vertices,
                        const uint32_t* keys) {
  const ObjectFrame object = ObjectFrameOf(mesh, vertices);
  for (const MeshTriangle& triangle : mesh.triangles) {
    switch (FateByKeys(keys, triangle)) {
      case KeyedFate::kDraw:
        DrawBandTriangle(context, object, triangle, TextureOf(scene, triangle));
        break;
      case KeyedFate::kCheck:
        DrawTriangle(context, object, triangle, TextureOf(scene, triangle));
        break;
      case KeyedFate::kDrop:
        break;
    }
  }
}

void DrawListedTriangles(DrawContext& context, const Scene& scene,
                         const Mesh& mesh, const ObjectVertices& vertices,
                         uint32_t base, NumberList& own, NumberList& shared) {
  const ObjectFrame object = ObjectFrameOf(mesh, vertices);
  const uint32_t end = base + uint32_t(mesh.triangles.size());
  const MeshTriangle* triangles = mesh.triangles.data();
  // The lists name no triangle twice: the own ones before the next shared
  // one, then that one. The shared list is mostly empty, so the inner loop
  // is nearly all there is.
  for (;;) {
    const uint32_t nextShared =
        shared.at != shared.end ? std::min(*shared.at, end) : end;
    for (; own.at != own.end && *own.at < nextShared; ++own.at) {
      const MeshTriangle& triangle = triangles[*own.at - base];
      DrawBandTriangle(context, object, triangle, TextureOf(scene, triangle));
    }
    if (nextShared == end) return;
    const MeshTriangle& triangle = triangles[*shared.at++ - base];
    DrawTriangle(context, object, triangle, TextureOf(scene, triangle));
  }
}

void DrawObjectLines(const DrawContext& context, const Mesh& mesh,
                     const ObjectVertices& vertices) {
  for (const MeshLine& line : mesh.lines) {
    const IntVertex& from = vertices.camera[size_t(line.from)];
    const IntVertex& to = vertices.camera[size_t(line.to)];
    DrawLine(context, line.fromColour, line.toColour,
             Vector3{double(from.x), double(from.y), double(from.z)},
             Vector3{double(to.x), double(to.y), double(to.z)});
  }
}

IntVertex SceneLight(const Scene& scene) {
  if (scene.lightObject < 0 ||
      size_t(scene.lightObject) >= scene.objects.size()) {
    return IntVertex{0, 0, 0};
  }
  const int32_t* p = scene.objects[size_t(scene.lightObject)].position;
  return IntVertex{p[0], p[1], p[2]};
}

const Mesh* RenderableMesh(const Scene& scene, const Workspace& workspace,
                           size_t index) {
  if (index >= scene.objects.size() || index >= workspace.objects.size()) {
    return nullptr;
  }
  const int32_t mesh = scene.objects[index].mesh;
  if (mesh < 0 || size_t(mesh) >= scene.meshes.size()) return nullptr;
  const Mesh& found = scene.meshes[size_t(mesh)];
  const ObjectVertices& vertices = workspace.objects[index];
  const size_t count = found.vertices.size();
  if (vertices.camera.size() < count || vertices.vectors.size() < count ||
      vertices.projected.size() < count) {
    return nullptr;
  }
  return &found;
}

void TransformScene(const View& view, const Scene& scene,
                    Workspace& workspace) {
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh != nullptr) {
      TransformObject(scene.objects[i], *mesh, &workspace.objects[i]);
    }
  }
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh != nullptr) ProjectVertices(view, *mesh, &workspace.objects[i]);
  }
}

}  // namespace renderer
