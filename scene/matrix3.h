#pragma once
// 3 x 3 matrices of doubles, row-major, as object orientations hold them.

namespace renderer {

// out = a . b, each entry summed over k = 0, 1, 2 in that order; safe when
// out aliases a or b.
void MultiplyMatrix3(const double a[3][3], const double b[3][3],
                     double out[3][3]);

}  // namespace renderer
