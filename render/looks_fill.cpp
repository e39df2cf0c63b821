// The looks fills: each triangle sent to the plain fills (one pixel at a
// time) or the ones by rows, which share the flat look's row walk
// (looks_rows.h) and differ only in how they work out the colours.
#include "render/looks_fill.h"

#include <algorithm>
#include <cstring>

#include "render/bilinear.h"
#include "render/looks_by_rows.h"
#include "render/looks_kernels.h"
#include "render/looks_rows.h"
#include "render/scene_steps.h"

namespace renderer {

namespace {

bool DrawsNothing(const Scene& scene, int32_t index) {
  if (index < 0 || size_t(index) >= scene.objects.size()) return true;
  const int32_t mesh = scene.objects[size_t(index)].mesh;
  if (mesh < 0 || size_t(mesh) >= scene.meshes.size()) return true;
  const Mesh& found = scene.meshes[size_t(mesh)];
  return found.triangles.empty() && found.lines.empty();
}

// The light set up from the whole camera-space triangle and its corner
// normals turned by the object's orientation (zero when the object frame
// carries none).
SmoothLight WholeTriangleLight(const ObjectFrame& object,
                               const MeshTriangle& triangle,
                               const IntVertex& light) {
  IntVertex corners[3];
  Vector3 normals[3];
  const size_t index = size_t(&triangle - object.mesh.triangles.data());
  const bool known = object.normals != nullptr &&
                     object.orientation != nullptr &&
                     index < object.mesh.triangles.size();
  for (int i = 0; i < 3; ++i) {
    corners[i] = object.camera[triangle.vertex[i]];
    normals[i] = known ? TurnNormal(object.orientation,
                                    object.normals[index].corner[i])
                       : Vector3{};
  }
  return MakeSmoothLight(corners, normals, light);
}

}  // namespace

IntVertex FrameLight(const Scene& scene, const Looks& looks) {
  if (looks.shading != Shading::kSmooth) return SceneLight(scene);
  if (!DrawsNothing(scene, scene.lightObject)) return IntVertex{0, 0, 0};
  return SceneLight(scene);
}

void PrepareLooks(Workspace& workspace, const Scene& scene,
                  const Looks& looks) {
  const bool smooth = looks.shading == Shading::kSmooth;
  std::vector<MeshNormalsCache>& caches = workspace.looks.meshNormals;
  if (smooth && caches.size() < scene.meshes.size()) {
    caches.resize(scene.meshes.size());
  }
  const size_t count = std::min(scene.objects.size(), workspace.objects.size());
  for (size_t i = 0; i < count; ++i) {
    ObjectVertices& vertices = workspace.objects[i];
    vertices.normals = nullptr;
    const SceneObject& object = scene.objects[i];
    if (!smooth || object.mesh < 0 ||
        size_t(object.mesh) >= scene.meshes.size()) {
      continue;
    }
    const size_t mesh = size_t(object.mesh);
    vertices.normals = CachedNormals(scene.meshes[mesh], &caches[mesh]);
    std::memcpy(vertices.orientation, object.orientation,
                sizeof(object.orientation));
  }
}

void DrawTriangleWithLooks(DrawContext& context, const ObjectFrame& object,
                           const MeshTriangle& triangle,
                           const Texture* texture) {
  ClipResult result;
  result.count = 0;
  if (!ClipTriangle(context, object, triangle, texture, &result)) return;
  const Looks& looks = context.view.looks;
  const bool smooth = looks.shading == Shading::kSmooth;
  SmoothLight light;
  if (smooth) light = WholeTriangleLight(object, triangle, context.light);
  const LooksTriangle extra{smooth ? &light : nullptr, triangle.colour[0],
                            looks.textureFilter == TextureFilter::kBilinear};
  const bool textured = triangle.texture != kNoTexture;
  for (int32_t i = 0; i < result.count; ++i) {
    if (textured) {
      FillTexturedLooks(context, result.clipped[i], extra);
    } else {
      FillUntexturedLooks(context, result.clipped[i], extra);
    }
  }
}

void FillUntexturedLooks(DrawContext& context, const ClippedTriangle& triangle,
                         const LooksTriangle& looks) {
  const LooksKernels* kernels = LooksKernelsOf(context.workspace.fillPath);
  if (kernels != nullptr) {
    FillUntexturedLooksByRows(context, triangle, looks, *kernels);
  } else {
    FillUntexturedLooksPlain(context, triangle, looks);
  }
}

void FillTexturedLooks(DrawContext& context, const ClippedTriangle& triangle,
                       const LooksTriangle& looks) {
  const LooksKernels* kernels = LooksKernelsOf(context.workspace.fillPath);
  if (kernels != nullptr) {
    FillTexturedLooksByRows(context, triangle, looks, *kernels);
  } else {
    FillTexturedLooksPlain(context, triangle, looks);
  }
}

namespace {

// The plain fills' sinks (looks_rows.h): each pixel's colour worked out
// and written at once.
struct PlainUntexturedSink {
  const LooksTriangle& looks;
  const View& view;
  double f;

  void Pixel(int32_t x, int32_t y, double z, uint32_t* pixelRow) const {
    const Vector3 p = PixelPoint(x, y, z, view.centreX, view.centreY, f);
    pixelRow[x] = LightColour(looks.colour, SmoothLevel(*looks.smooth, p));
  }
};

struct PlainTexturedSink {
  const LooksTriangle& looks;
  const View& view;
  double f;
  const Texture& texture;

  void Pixel(int32_t x, int32_t y, double z, double u, double v,
             uint32_t nearest, uint32_t* pixelRow) const {
    uint32_t colour =
        looks.bilinear ? BilinearTexel(texture.texels.data(), texture.width,
                                       texture.height, u, v, nearest)
                       : nearest;
    if (looks.smooth != nullptr) {
      const Vector3 p = PixelPoint(x, y, z, view.centreX, view.centreY, f);
      colour = LightColour(colour, SmoothLevel(*looks.smooth, p));
    }
    pixelRow[x] = colour;
  }
};

}  // namespace

void FillUntexturedLooksPlain(DrawContext& context,
                              const ClippedTriangle& triangle,
                              const LooksTriangle& looks) {
  PlainUntexturedSink sink{looks, context.view,
                           double(context.view.focalLength)};
  WalkUntexturedRows(context, triangle, sink);
}

void FillTexturedLooksPlain(DrawContext& context,
                            const ClippedTriangle& triangle,
                            const LooksTriangle& looks) {
  if (!HasUsableTexture(triangle)) return;
  PlainTexturedSink sink{looks, context.view,
                         double(context.view.focalLength), *triangle.texture};
  WalkTexturedRows(context, triangle, sink);
}

}  // namespace renderer
