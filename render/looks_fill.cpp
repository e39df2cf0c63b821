// The looks fills, one pixel at a time. Each runs the flat look's fill
// loop (the same spans, d, z and depth tests) and differs only in the
// colour it writes.
#include "render/looks_fill.h"

#include <algorithm>
#include <cstring>

#include "render/bilinear.h"
#include "render/fill_textured.h"
#include "render/looks_by_rows.h"
#include "render/scene_steps.h"
#include "render/spans.h"
#include "render/texel_wrap.h"
#include "render/textured_plane.h"
#include "render/triangle_plane.h"

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

bool UsesLooksFill(const Looks& looks, const MeshTriangle& triangle) {
  if (looks.shading == Shading::kSmooth) return true;
  return looks.textureFilter == TextureFilter::kBilinear &&
         triangle.texture != kNoTexture;
}

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
  if (TriangleMissesBand(object, triangle, context.band)) return;
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

namespace {

// The vector kernel for the smooth light's levels in this frame's fill
// version; null when the triangle is not lit smoothly or the plain fills run.
SmoothLevelKernel LevelKernelFor(const DrawContext& context,
                                 const LooksTriangle& looks) {
  return looks.smooth != nullptr ? SmoothLevelsOf(context.workspace.fillPath)
                                 : nullptr;
}

}  // namespace

void FillUntexturedLooks(DrawContext& context, const ClippedTriangle& triangle,
                         const LooksTriangle& looks) {
  const SmoothLevelKernel kernel = LevelKernelFor(context, looks);
  if (kernel != nullptr) {
    FillUntexturedLooksByRows(context, triangle, looks, kernel);
  } else {
    FillUntexturedLooksPlain(context, triangle, looks);
  }
}

void FillTexturedLooks(DrawContext& context, const ClippedTriangle& triangle,
                       const LooksTriangle& looks) {
  const SmoothLevelKernel kernel = LevelKernelFor(context, looks);
  if (kernel != nullptr) {
    FillTexturedLooksByRows(context, triangle, looks, kernel);
  } else {
    FillTexturedLooksPlain(context, triangle, looks);
  }
}

void FillUntexturedLooksPlain(DrawContext& context,
                              const ClippedTriangle& triangle,
                              const LooksTriangle& looks) {
  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
  const ClipVertex* c = triangle.corners;
  SetupTriangleSpans(context, TriangleScreenPoints(triangle).points);

  const View& view = context.view;
  const WorkerScratch& ws = context.scratch;
  const double f = double(view.focalLength);
  const Vector3 n = Cross(CameraEdge(c[0], c[2]), CameraEdge(c[0], c[1]));
  const double k = Dot(CameraPosition(c[0]), n) * f;
  const double nearZ = double(view.nearZ);

  int64_t passed = 0;
  for (int32_t y = ws.firstRow; y <= ws.lastRow; ++y) {
    const Span span = ws.spanTable[y];
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    float* depthRow = depthView.depth + y * depthView.stride;
    double d =
        ((span.first - view.centreX) * n.x + n.y * (y - view.centreY)) +
        f * n.z;
    for (int32_t x = span.first; x <= span.last; ++x) {
      if (d != 0) {
        const double z = k / d;
        if (depthRow[x] > z && z > 1.0 && z > nearZ) {
          ++passed;
          depthRow[x] = float(z);
          const Vector3 p =
              PixelPoint(x, y, z, view.centreX, view.centreY, f);
          pixelRow[x] = LightColour(looks.colour, SmoothLevel(*looks.smooth, p));
        }
      }
      d += n.x;
    }
  }
  context.scratch.counters.pixelsPassed += passed;
}

void FillTexturedLooksPlain(DrawContext& context,
                            const ClippedTriangle& triangle,
                            const LooksTriangle& looks) {
  if (!HasUsableTexture(triangle)) return;
  const Texture& texture = *triangle.texture;
  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
  SetupTriangleSpans(context, TriangleScreenPoints(triangle).points);

  const View& view = context.view;
  const WorkerScratch& ws = context.scratch;
  const double f = double(view.focalLength);
  const TexturedPlane p = MakeTexturedPlane(triangle, f);
  const double nearZ = double(view.nearZ);

  int64_t passed = 0;
  for (int32_t y = ws.firstRow; y <= ws.lastRow; ++y) {
    const Span span = ws.spanTable[y];
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    float* depthRow = depthView.depth + y * depthView.stride;
    const RowStart start = TexturedRowStart(p, view, f, y, span.first);
    double d = start.d;
    double un = start.un;
    double vn = start.vn;
    for (int32_t x = span.first; x <= span.last; ++x) {
      if (d != 0) {
        const double zd = p.k / d;
        const float z = float(zd);
        if (z < depthRow[x] && z > 1.0 && z > nearZ) {
          ++passed;
          const double u = un / d + p.u0;
          const double v = vn / d + p.v0;
          const uint32_t nearest = TexelColour(
              texture, WrapTexel(u + 0.5, texture.width),
              WrapTexel(v, texture.height));
          if (nearest != 0x00FFFFFFu) {
            uint32_t colour =
                looks.bilinear
                    ? BilinearTexel(texture.texels.data(), texture.width,
                                    texture.height, u, v, nearest)
                    : nearest;
            if (looks.smooth != nullptr) {
              const Vector3 point =
                  PixelPoint(x, y, zd, view.centreX, view.centreY, f);
              colour = LightColour(colour, SmoothLevel(*looks.smooth, point));
            }
            depthRow[x] = z;
            pixelRow[x] = colour;
          }
        }
      }
      un += p.dUn;
      vn += p.dVn;
      d += p.n.x;
    }
  }
  context.scratch.counters.pixelsPassed += passed;
}

}  // namespace renderer
