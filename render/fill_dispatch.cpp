// The fills the scene pass calls, dispatched to the workspace's version.
// When the workspace's counters ask for it, the time spent here is added up.
#include "render/fill_dispatch.h"

#include "render/cpu_features.h"
#include "render/fill_fast.h"
#include "render/fill_flat.h"
#include "render/fill_textured.h"

namespace renderer {

namespace {

// Indexed by FillPath.
constexpr FillVersion kFillVersions[] = {
    {FillTexturedTrianglePlain, FillFlatTrianglePlain},
    {FillTexturedTriangleAvx2, FillFlatTriangleAvx2},
    {FillTexturedTriangleAvx512, FillFlatTriangleAvx512},
};

using FillFunction = void (*)(DrawContext&, const ClippedTriangle&);

void TimedFill(FillFunction fill, DrawContext& context,
               const ClippedTriangle& triangle) {
  RenderStats& stats = context.workspace.stats;
  if (!stats.timing) {
    fill(context, triangle);
    return;
  }
  const int64_t start = StatsClockNs();
  fill(context, triangle);
  stats.fillNs += StatsClockNs() - start;
}

}  // namespace

const FillVersion& FillVersionOf(FillPath path) {
  return kFillVersions[static_cast<int32_t>(path)];
}

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
  TimedFill(FillVersionOf(context.workspace.fillPath).textured, context,
            triangle);
}

void FillFlatTriangle(DrawContext& context, const ClippedTriangle& triangle) {
  TimedFill(FillVersionOf(context.workspace.fillPath).flat, context, triangle);
}

}  // namespace renderer
