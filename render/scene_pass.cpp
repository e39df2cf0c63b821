// The per-frame scene pass: transform every object into camera space,
// project its vertices, then draw its triangles and lines.
#include "render/clip.h"
#include "render/int_convert.h"
#include "render/line.h"
#include "render/render_context.h"

bool ObjectIsRenderable(int32_t objectIndex) {
  const RenderContext& c = renderContext;
  if (objectIndex < 0 || objectIndex >= objectCount ||
      objectIndex >= c.projectedObjectCount) {
    return false;
  }
  const SceneObject& object = sceneObjects[objectIndex];
  return object.mesh != nullptr && object.transformedVertices != nullptr &&
         object.mesh->vertexCount <= c.projectedVertexCounts[objectIndex];
}

void TransformObject(SceneObject* object) {
  const Mesh* mesh = object->mesh;
  if (mesh == nullptr || object->transformedVertices == nullptr) return;
  const double(&m)[3][3] = object->orientation;
  for (int32_t j = 0; j < mesh->vertexCount; ++j) {
    const double p[3] = {double(mesh->vertices[j].x),
                         double(mesh->vertices[j].y),
                         double(mesh->vertices[j].z)};
    int32_t out[3];
    for (int i = 0; i < 3; ++i) {
      const double turned = m[i][0] * p[0] + m[i][1] * p[1] + m[i][2] * p[2];
      // Truncated first, then moved; both steps saturate at the int32 range.
      out[i] = SaturateToInt32(int64_t(TruncateToInt32(turned)) +
                               object->position[i]);
    }
    object->transformedVertices[j] = IntVertex{out[0], out[1], out[2]};
  }
  if (mesh->hasVertexVectors == 0 || mesh->vertexVectors == nullptr ||
      object->transformedVectors == nullptr) {
    return;
  }
  for (int32_t j = 0; j < mesh->vertexCount; ++j) {
    const Vector3& v = mesh->vertexVectors[j];
    Vector3& out = object->transformedVectors[j];
    out.x = m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z;
    out.y = m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z;
    out.z = m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z;
  }
}

void ProjectVertices() {
  const RenderContext& c = renderContext;
  const double f = double(c.focalLength);
  for (int32_t i = 0; i < objectCount; ++i) {
    if (!ObjectIsRenderable(i)) continue;
    const SceneObject& object = sceneObjects[i];
    ProjectedVertex* projected = c.projectedVertices[i];
    for (int32_t j = 0; j < object.mesh->vertexCount; ++j) {
      const IntVertex& v = object.transformedVertices[j];
      // The constant 1, not nearZ: anything nearer is cut by the clipper.
      if (v.z > 1) {
        projected[j].screenX = (double(v.x) * f) / double(v.z) + c.centreX;
        projected[j].screenY = (double(v.y) * f) / double(v.z) + c.centreY;
        projected[j].visible = 1;
      } else {
        projected[j].visible = 0;
      }
    }
  }
}

namespace {

void DrawObject(int32_t objectIndex) {
  const SceneObject& object = sceneObjects[objectIndex];
  const Mesh& mesh = *object.mesh;
  for (int32_t k = 0; k < mesh.triangleCount; ++k) {
    DrawTriangle(objectIndex, k, mesh.triangles[k].texture == nullptr ? 1 : 0);
  }
  for (int32_t l = 0; l < mesh.lineCount; ++l) {
    const MeshLine& line = mesh.lines[l];
    const IntVertex& from = object.transformedVertices[line.from];
    const IntVertex& to = object.transformedVertices[line.to];
    DrawLine(line.fromColour, line.toColour,
             Vector3{double(from.x), double(from.y), double(from.z)},
             Vector3{double(to.x), double(to.y), double(to.z)});
  }
}

}  // namespace

void RenderScene() {
  ClearZBuffer();
  for (int32_t i = 0; i < objectCount; ++i) {
    if (ObjectIsRenderable(i)) TransformObject(&sceneObjects[i]);
  }
  ProjectVertices();
  for (int32_t i = 0; i < objectCount; ++i) {
    if (ObjectIsRenderable(i)) DrawObject(i);
  }
}
