// The fills the scene pass calls, dispatched to the selected version. When
// the benchmark counters ask for it, the time spent here is added up.
#include "render/fill_dispatch.h"

#include "render/fill_by_rows.h"
#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/render_stats.h"

namespace {

FillPath activePath = BestFillPath();

template <typename Fill>
void TimedFill(Fill fill) {
  if (renderStats.timing == 0) {
    fill();
    return;
  }
  const int64_t start = StatsClockNs();
  fill();
  renderStats.fillNs += StatsClockNs() - start;
}

}  // namespace

std::vector<FillPath> FillPathsHere() {
  std::vector<FillPath> paths = {kPlainFill};
  for (const RowKernels& kernels : RowKernelsHere()) {
    paths.push_back(FillPath{&kernels});
  }
  return paths;
}

FillPath BestFillPath() {
  const auto kernels = RowKernelsHere();
  return kernels.empty() ? kPlainFill : FillPath{&kernels.front()};
}

FillPath ActiveFillPath() { return activePath; }

void UseFillPath(FillPath path) { activePath = path; }

const char* FillPathName(FillPath path) {
  return path.kernels == nullptr ? "plain" : path.kernels->name;
}

void FillTexturedTriangle(ClippedTriangle triangle) {
  const RowKernels* kernels = activePath.kernels;
  TimedFill([&] {
    if (kernels == nullptr) {
      FillTexturedTrianglePlain(triangle);
    } else {
      FillTexturedTriangleByRows(triangle, kernels->textured);
    }
  });
}

void FillFlatTriangle(ClippedTriangle triangle) {
  const RowKernels* kernels = activePath.kernels;
  TimedFill([&] {
    if (kernels == nullptr) {
      FillFlatTrianglePlain(triangle);
    } else {
      FillFlatTriangleByRows(triangle, kernels->flat);
    }
  });
}
