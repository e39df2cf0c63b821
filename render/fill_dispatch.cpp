// The fills the scene pass calls, dispatched to the workspace's version.
// When the workspace's counters ask for it, the time spent here is added up.
#include "render/fill_dispatch.h"

#include "render/fill_by_rows.h"
#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/workspace.h"

namespace renderer {

namespace {

template <typename Fill>
void TimedFill(DrawContext& context, Fill fill) {
  RenderStats& stats = context.workspace.stats;
  if (!stats.timing) {
    fill();
    return;
  }
  const int64_t start = StatsClockNs();
  fill();
  stats.fillNs += StatsClockNs() - start;
}

}  // namespace

const RowKernels* RowKernelsOf(FillPath path) {
  for (const RowKernels& kernels : RowKernelsHere()) {
    if (kernels.target == path.target) return &kernels;
  }
  return nullptr;
}

std::vector<FillPath> SupportedFillPaths() {
  std::vector<FillPath> paths = {kPlainFill};
  for (const RowKernels& kernels : RowKernelsHere()) {
    paths.push_back(FillPath{kernels.target});
  }
  return paths;
}

bool FillPathSupported(FillPath path) {
  return path == kPlainFill || RowKernelsOf(path) != nullptr;
}

const char* FillPathName(FillPath path) {
  if (path == kPlainFill) return "plain";
  const RowKernels* kernels = RowKernelsOf(path);
  return kernels == nullptr ? "unsupported" : kernels->name;
}

FillPath BestFillPath() {
  const auto kernels = RowKernelsHere();
  return kernels.empty() ? kPlainFill : FillPath{kernels.front().target};
}

FillPath ActiveFillPath(const Workspace& workspace) {
  return workspace.fillPath;
}

bool SetFillPath(Workspace& workspace, FillPath path) {
  if (!FillPathSupported(path)) return false;
  workspace.fillPath = path;
  return true;
}

void FillTexturedTriangle(DrawContext& context,
                          const ClippedTriangle& triangle) {
  const RowKernels* kernels = RowKernelsOf(context.workspace.fillPath);
  TimedFill(context, [&] {
    if (kernels == nullptr) {
      FillTexturedTrianglePlain(context, triangle);
    } else {
      FillTexturedTriangleByRows(context, triangle, kernels->textured);
    }
  });
}

void FillFlatTriangle(DrawContext& context, const ClippedTriangle& triangle) {
  const RowKernels* kernels = RowKernelsOf(context.workspace.fillPath);
  TimedFill(context, [&] {
    if (kernels == nullptr) {
      FillFlatTrianglePlain(context, triangle);
    } else {
      FillFlatTriangleByRows(context, triangle, kernels->flat);
    }
  });
}

}  // namespace renderer
