// The fills the scene pass calls, dispatched to the selected version. When
// the benchmark counters ask for it, the time spent here is added up.
#include "render/fill_dispatch.h"

#include "render/cpu_features.h"
#include "render/fill_avx2.h"
#include "render/fill_avx512.h"
#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/render_stats.h"

namespace {

FillPath activePath = BestFillPath();

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

bool FillPathSupported(FillPath path) {
  switch (path) {
    case FillPath::kPlain:
      return true;
    case FillPath::kAvx2:
      return CpuHasAvx2();
    case FillPath::kAvx512:
      return CpuHasAvx512();
  }
  return false;
}

FillPath BestFillPath() {
  if (FillPathSupported(FillPath::kAvx512)) return FillPath::kAvx512;
  if (FillPathSupported(FillPath::kAvx2)) return FillPath::kAvx2;
  return FillPath::kPlain;
}

FillPath ActiveFillPath() { return activePath; }

bool UseFillPath(FillPath path) {
  if (!FillPathSupported(path)) return false;
  activePath = path;
  return true;
}

void FillTexturedTriangle(ClippedTriangle triangle) {
  switch (activePath) {
    case FillPath::kAvx512:
      TimedFill(FillTexturedTriangleAvx512, triangle);
      return;
    case FillPath::kAvx2:
      TimedFill(FillTexturedTriangleAvx2, triangle);
      return;
    case FillPath::kPlain:
      TimedFill(FillTexturedTrianglePlain, triangle);
      return;
  }
}

void FillFlatTriangle(ClippedTriangle triangle) {
  switch (activePath) {
    case FillPath::kAvx512:
      TimedFill(FillFlatTriangleAvx512, triangle);
      return;
    case FillPath::kAvx2:
      TimedFill(FillFlatTriangleAvx2, triangle);
      return;
    case FillPath::kPlain:
      TimedFill(FillFlatTrianglePlain, triangle);
      return;
  }
}
