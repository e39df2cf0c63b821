// The textured fill. For each covered pixel the eye ray meets the plane at
// A + (a / d) E1 + (b / d) E2, so z = K / d and the texture coordinates are
// the corners' (u, v) weighted by a / d and b / d. Depth is rounded to float
// before it is tested.
#include "render/fill_textured.h"

#include "render/render_context.h"
#include "render/render_stats.h"
#include "render/spans.h"
#include "render/texel_wrap.h"
#include "render/triangle_plane.h"

bool TextureIsUsable(const Texture* texture) {
  return texture != nullptr && texture->texels != nullptr &&
         texture->width >= 1 && texture->height >= 1 &&
         int64_t{texture->width} * texture->height * 3 <= texture->byteSize;
}

namespace {

// Per-triangle quantities: the plane, the corner weights and the texture
// coordinate differences.
struct TexturedPlane {
  Vec3 w1;  // A x E2: a = R . w1
  Vec3 w2;  // E1 x A: b = R . w2
  Vec3 n;   // E2 x E1: d = R . n
  double k; // (A . N) f: z = K / d
  double u0, v0, du1, du2, dv1, dv2;
};

TexturedPlane MakePlane(const ClippedTriangle& triangle, double f) {
  const ClipVertex* c = triangle.corners;
  const Vec3 a = CameraPosition(c[0]);
  const Vec3 e1 = CameraEdge(c[0], c[1]);
  const Vec3 e2 = CameraEdge(c[0], c[2]);
  TexturedPlane p;
  p.w1 = Cross(a, e2);
  p.w2 = Cross(e1, a);
  p.n = Cross(e2, e1);
  p.k = Dot(a, p.n) * f;
  p.u0 = c[0].u;
  p.v0 = c[0].v;
  p.du1 = c[1].u - c[0].u;
  p.du2 = c[2].u - c[0].u;
  p.dv1 = c[1].v - c[0].v;
  p.dv2 = c[2].v - c[0].v;
  return p;
}

uint32_t FetchTexel(const Texture& texture, int32_t column, int32_t row) {
  const uint8_t* texel =
      texture.texels + 3 * (size_t(row) * size_t(texture.width) + size_t(column));
  return (uint32_t{texel[0]} << 16) | (uint32_t{texel[1]} << 8) | texel[2];
}

}  // namespace

void FillTexturedTrianglePlain(ClippedTriangle triangle) {
  const Texture* found = sceneObjects[triangle.objectIndex]
                             .mesh->triangles[triangle.triangleIndex]
                             .texture;
  if (!TextureIsUsable(found)) return;
  const Texture texture = *found;

  const FrameView frameView = CurrentFrameView();
  const DepthView depthView = CurrentDepthView();
  const ClipVertex* c = triangle.corners;
  const ScreenPoint points[3] = {{c[0].screenX, c[0].screenY},
                                 {c[1].screenX, c[1].screenY},
                                 {c[2].screenX, c[2].screenY}};
  SetupTriangleSpans(points, DrawableViewport(frameView, depthView));

  const RenderContext& rc = renderContext;
  const double f = double(rc.focalLength);
  const TexturedPlane p = MakePlane(triangle, f);
  const double nearZ = double(rc.nearZ);
  // Per-column increments: the ray's x grows by 1 per pixel.
  const double dUn = p.w1.x * p.du1 + p.w2.x * p.du2;
  const double dVn = p.w1.x * p.dv1 + p.w2.x * p.dv2;

  int64_t passed = 0;
  for (int32_t y = rc.firstRow; y <= rc.lastRow; ++y) {
    const Span span = rc.spanTable[y];
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    float* depthRow = depthView.depth + y * depthView.stride;
    const Vec3 ray = {span.first - rc.centreX, y - rc.centreY, f};
    const double a = Dot(ray, p.w1);
    const double b = Dot(ray, p.w2);
    double d = Dot(ray, p.n);
    double un = a * p.du1 + b * p.du2;
    double vn = a * p.dv1 + b * p.dv2;
    for (int32_t x = span.first; x <= span.last; ++x) {
      if (d != 0) {
        const float z = float(p.k / d);
        if (z < depthRow[x] && z > 1.0 && z > nearZ) {
          ++passed;
          // The half-texel offset belongs to u alone.
          const int32_t column = WrapTexel(un / d + p.u0 + 0.5, texture.width);
          const int32_t row = WrapTexel(vn / d + p.v0, texture.height);
          const uint32_t colour = FetchTexel(texture, column, row);
          if (colour != 0x00FFFFFFu) {
            depthRow[x] = z;
            pixelRow[x] = colour;
          }
        }
      }
      un += dUn;
      vn += dVn;
      d += p.n.x;
    }
  }
  renderStats.pixelsPassed += passed;
}
