// The looks fills by rows: a sink for the shared row walk that gathers a
// triangle's drawn pixels, over all its rows (a small triangle has only a
// few pixels on each), and colours them in batches.
#include "render/looks_by_rows.h"

#include "render/looks_rows.h"

namespace renderer {

namespace {

constexpr int32_t kBatch = 64;

// Drawn pixels waiting for their colours: place, depth (double, before
// rounding), texel coordinates and colour (unlit: the triangle's, or the
// nearest texel), and where the colour goes.
struct BatchSink {
  // A constructor rather than aggregate initialisation, which would zero
  // the arrays for every triangle.
  BatchSink(const LooksTriangle& triangleLooks,
            const LooksKernels& looksKernels, const View& view,
            const BilinearTexture& triangleTexture)
      : looks(triangleLooks),
        kernels(looksKernels),
        camera{view.centreX, view.centreY, double(view.focalLength)},
        texture(triangleTexture) {}

  const LooksTriangle& looks;
  const LooksKernels& kernels;
  SmoothCamera camera;
  BilinearTexture texture;  // texels null for untextured triangles
  double x[kBatch];
  double y[kBatch];
  double z[kBatch];
  double u[kBatch];
  double v[kBatch];
  uint32_t colour[kBatch];
  uint32_t* at[kBatch];
  int32_t count = 0;

  // Colours the batch's pixels into the frame and empties it.
  void Flush() {
    if (count == 0) return;
    if (texture.texels != nullptr && looks.bilinear) {
      kernels.bilinear(texture, u, v, count, colour);
    }
    if (looks.smooth != nullptr) {
      kernels.colours(*looks.smooth, camera, x, y, z, count, colour);
    }
    for (int32_t i = 0; i < count; ++i) *at[i] = colour[i];
    count = 0;
  }

  void Pixel(int32_t px, int32_t py, double pz, uint32_t* pixelRow) {
    Pixel(px, py, pz, 0.0, 0.0, looks.colour, pixelRow);
  }
  void Pixel(int32_t px, int32_t py, double pz, double pu, double pv,
             uint32_t unlit, uint32_t* pixelRow) {
    x[count] = px;
    y[count] = py;
    z[count] = pz;
    u[count] = pu;
    v[count] = pv;
    colour[count] = unlit;
    at[count] = pixelRow + px;
    if (++count == kBatch) Flush();
  }
};

}  // namespace

void FillUntexturedLooksByRows(DrawContext& context,
                               const ClippedTriangle& triangle,
                               const LooksTriangle& looks,
                               const LooksKernels& kernels) {
  BatchSink sink(looks, kernels, context.view, BilinearTexture{});
  WalkUntexturedRows(context, triangle, sink);
  sink.Flush();
}

void FillTexturedLooksByRows(DrawContext& context,
                             const ClippedTriangle& triangle,
                             const LooksTriangle& looks,
                             const LooksKernels& kernels) {
  if (!HasUsableTexture(triangle)) return;
  const Texture& texture = *triangle.texture;
  BatchSink sink(looks, kernels, context.view,
                 BilinearTexture{texture.texels.data(), texture.width,
                                 texture.height});
  WalkTexturedRows(context, triangle, sink);
  sink.Flush();
}

}  // namespace renderer
