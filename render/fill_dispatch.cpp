// The fills the scene pass calls: the AVX2 versions where the processor has
// AVX2, the plain ones elsewhere. Both draw the same bits. When the
// benchmark counters ask for it, the time spent here is added up.
#include "render/cpu_features.h"
#include "render/fill_avx2.h"
#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/render_stats.h"

namespace {

template <typename Fill>
void TimedFill(Fill fill, const ClippedTriangle& triangle) {
  if (renderStats.timing == 0) {
    fill(triangle);
    return;
  }
  const int64_t start = StatsClockNs();
  fill(triangle);
  renderStats.fillNs += StatsClockNs() - start;
}

}  // namespace

void FillTexturedTriangle(ClippedTriangle triangle) {
  TimedFill(CpuHasAvx2() ? FillTexturedTriangleAvx2 : FillTexturedTrianglePlain,
            triangle);
}

void FillFlatTriangle(ClippedTriangle triangle) {
  TimedFill(CpuHasAvx2() ? FillFlatTriangleAvx2 : FillFlatTrianglePlain,
            triangle);
}
