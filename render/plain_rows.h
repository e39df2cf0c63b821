#pragma once
// The plain fills' row loops, one pixel at a time: the reference the row
// kernels are tested against. The vector fills run them too for rows too
// short to fill a vector's lanes, where setting up the lanes costs more
// than the pixels (most rows of triangles a few pixels wide).
#include <cstdint>

#include "render/texel_wrap.h"
#include "render/textured_plane.h"

namespace renderer {

// Rows of at most this many pixels: the vector fills run the plain loop.
// Chosen by measurement: on the 102 400-triangle torus at 1600 x 1000 (rows
// of one to a few pixels) one thread's frame fell from 37.6 to 23.3 ms with
// AVX-512; thresholds of 4 and 16 gave 24.4 and 23.8 ms, and the demo's
// long rows were unchanged within the noise.
constexpr int64_t kPlainRowPixels = 8;

// The flat fill's pixels first..last of a row: `d` is the eye ray through
// pixel `first` dotted with the normal, `dStep` its step per pixel, z = k / d;
// colour() gives the triangle's colour, asked for only when a pixel passes
// (LazyFlatColour). Returns the pixels that passed the depth tests.
template <class Colour>
int64_t FillFlatRowPlain(double k, double dStep, double nearZ, Colour& colour,
                         double d, int32_t first, int32_t last,
                         float* depthRow, uint32_t* pixelRow) {
  int64_t passed = 0;
  for (int32_t x = first; x <= last; ++x) {
    if (d != 0) {
      const double z = k / d;
      if (depthRow[x] > z && z > 1.0 && z > nearZ) {
        ++passed;
        depthRow[x] = float(z);
        pixelRow[x] = colour();
      }
    }
    d += dStep;
  }
  return passed;
}

// The textured fill's pixels first..last of a row from the row's start
// sums. Returns the pixels that passed the depth tests.
inline int64_t FillTexturedRowPlain(const TexturedPlane& p,
                                    const Texture& texture, double nearZ,
                                    const RowStart& start, int32_t first,
                                    int32_t last, float* depthRow,
                                    uint32_t* pixelRow) {
  double d = start.d;
  double un = start.un;
  double vn = start.vn;
  int64_t passed = 0;
  for (int32_t x = first; x <= last; ++x) {
    if (d != 0) {
      const float z = float(p.k / d);
      if (z < depthRow[x] && z > 1.0 && z > nearZ) {
        ++passed;
        // The half-texel offset belongs to u alone.
        const int32_t column = WrapTexel(un / d + p.u0 + 0.5, texture.width);
        const int32_t row = WrapTexel(vn / d + p.v0, texture.height);
        const uint32_t colour = TexelColour(texture, column, row);
        if (colour != 0x00FFFFFFu) {
          depthRow[x] = z;
          pixelRow[x] = colour;
        }
      }
    }
    // The ray's x grows by 1 per pixel.
    un += p.dUn;
    vn += p.dVn;
    d += p.n.x;
  }
  return passed;
}

}  // namespace renderer
