#pragma once
// The fill versions by FillPath: one immutable table, chosen from per
// workspace.
#include "render/clip.h"

namespace renderer {

// One version of the two fills.
struct FillVersion {
  void (*textured)(DrawContext& context, const ClippedTriangle& triangle);
  void (*flat)(DrawContext& context, const ClippedTriangle& triangle);
};

// The version `path` names.
const FillVersion& FillVersionOf(FillPath path);

}  // namespace renderer
