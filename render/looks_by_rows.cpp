// The looks fills by rows: a sink for the shared row walk that gathers a
// row's drawn pixels and colours them in batches.
#include "render/looks_by_rows.h"

#include "render/looks_rows.h"

namespace renderer {

namespace {

constexpr int32_t kBatch = 64;

// Drawn pixels of a row waiting for their colours: column, depth (double,
// before rounding), texel coordinates and colour (unlit: the triangle's, or
// the nearest texel).
struct BatchSink {
  // A constructor rather than aggregate initialisation, which would zero
  // the arrays for every triangle.
  BatchSink(const LooksTriangle& triangleLooks,
            const LooksKernels& looksKernels, const View& frameView,
            const BilinearTexture& triangleTexture)
      : looks(triangleLooks),
        kernels(looksKernels),
        view(frameView),
        f(double(frameView.focalLength)),
        texture(triangleTexture) {}

  const LooksTriangle& looks;
  const LooksKernels& kernels;
  const View& view;
  double f;
  BilinearTexture texture;  // texels null for untextured triangles
  double x[kBatch];
  double z[kBatch];
  double u[kBatch];
  double v[kBatch];
  uint32_t colour[kBatch];
  int32_t level[kBatch];
  int32_t count = 0;

  // Colours the batch's pixels into the row and empties it.
  void Flush(int32_t y, uint32_t* pixelRow) {
    if (count == 0) return;
    if (texture.texels != nullptr && looks.bilinear) {
      kernels.bilinear(texture, u, v, count, colour);
    }
    if (looks.smooth != nullptr) {
      const SmoothRow row{view.centreX, view.centreY, f, double(y)};
      kernels.level(*looks.smooth, row, x, z, count, level);
      kernels.light(level, count, colour);
    }
    for (int32_t i = 0; i < count; ++i) pixelRow[int32_t(x[i])] = colour[i];
    count = 0;
  }

  void Pixel(int32_t px, int32_t y, double pz, uint32_t* pixelRow) {
    Pixel(px, y, pz, 0.0, 0.0, looks.colour, pixelRow);
  }
  void Pixel(int32_t px, int32_t y, double pz, double pu, double pv,
             uint32_t unlit, uint32_t* pixelRow) {
    x[count] = px;
    z[count] = pz;
    u[count] = pu;
    v[count] = pv;
    colour[count] = unlit;
    if (++count == kBatch) Flush(y, pixelRow);
  }
  void EndRow(int32_t y, uint32_t* pixelRow) { Flush(y, pixelRow); }
};

}  // namespace

void FillUntexturedLooksByRows(DrawContext& context,
                               const ClippedTriangle& triangle,
                               const LooksTriangle& looks,
                               const LooksKernels& kernels) {
  BatchSink sink(looks, kernels, context.view, BilinearTexture{});
  WalkUntexturedRows(context, triangle, sink);
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
}

}  // namespace renderer
