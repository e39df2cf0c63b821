// The smooth-shading fills by rows.
#include "render/looks_by_rows.h"

#include "render/bilinear.h"
#include "render/fill_textured.h"
#include "render/spans.h"
#include "render/texel_wrap.h"
#include "render/textured_plane.h"
#include "render/triangle_plane.h"

namespace renderer {

namespace {

// Passing pixels of a row waiting for their levels: column, depth (double,
// before rounding) and unlit colour.
constexpr int32_t kBatch = 64;

struct Batch {
  double x[kBatch];
  double z[kBatch];
  uint32_t colour[kBatch];
  int32_t level[kBatch];
  int32_t count = 0;
};

// Lights the batch's pixels into the row and empties it.
void Flush(Batch& batch, const SmoothLight& light, const SmoothRow& row,
           SmoothLevelKernel kernel, uint32_t* pixelRow) {
  if (batch.count == 0) return;
  kernel(light, row, batch.x, batch.z, batch.count, batch.level);
  for (int32_t i = 0; i < batch.count; ++i) {
    pixelRow[int32_t(batch.x[i])] = LightColour(batch.colour[i], batch.level[i]);
  }
  batch.count = 0;
}

void Add(Batch& batch, int32_t x, double z, uint32_t colour,
         const SmoothLight& light, const SmoothRow& row,
         SmoothLevelKernel kernel, uint32_t* pixelRow) {
  batch.x[batch.count] = x;
  batch.z[batch.count] = z;
  batch.colour[batch.count] = colour;
  if (++batch.count == kBatch) Flush(batch, light, row, kernel, pixelRow);
}

}  // namespace

void FillUntexturedLooksByRows(DrawContext& context,
                               const ClippedTriangle& triangle,
                               const LooksTriangle& looks,
                               SmoothLevelKernel kernel) {
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
  const SmoothLight& light = *looks.smooth;

  int64_t passed = 0;
  Batch batch;
  for (int32_t y = ws.firstRow; y <= ws.lastRow; ++y) {
    const Span span = ws.spanTable[y];
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    float* depthRow = depthView.depth + y * depthView.stride;
    const SmoothRow row{view.centreX, view.centreY, f, double(y)};
    double d =
        ((span.first - view.centreX) * n.x + n.y * (y - view.centreY)) +
        f * n.z;
    for (int32_t x = span.first; x <= span.last; ++x) {
      if (d != 0) {
        const double z = k / d;
        if (depthRow[x] > z && z > 1.0 && z > nearZ) {
          ++passed;
          depthRow[x] = float(z);
          Add(batch, x, z, looks.colour, light, row, kernel, pixelRow);
        }
      }
      d += n.x;
    }
    Flush(batch, light, row, kernel, pixelRow);
  }
  context.scratch.counters.pixelsPassed += passed;
}

void FillTexturedLooksByRows(DrawContext& context,
                             const ClippedTriangle& triangle,
                             const LooksTriangle& looks,
                             SmoothLevelKernel kernel) {
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
  const SmoothLight& light = *looks.smooth;

  int64_t passed = 0;
  Batch batch;
  for (int32_t y = ws.firstRow; y <= ws.lastRow; ++y) {
    const Span span = ws.spanTable[y];
    uint32_t* pixelRow = frameView.pixels + y * frameView.stride;
    float* depthRow = depthView.depth + y * depthView.stride;
    const SmoothRow row{view.centreX, view.centreY, f, double(y)};
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
            const uint32_t colour =
                looks.bilinear
                    ? BilinearTexel(texture.texels.data(), texture.width,
                                    texture.height, u, v, nearest)
                    : nearest;
            depthRow[x] = z;
            Add(batch, x, zd, colour, light, row, kernel, pixelRow);
          }
        }
      }
      un += p.dUn;
      vn += p.dVn;
      d += p.n.x;
    }
    Flush(batch, light, row, kernel, pixelRow);
  }
  context.scratch.counters.pixelsPassed += passed;
}

}  // namespace renderer
