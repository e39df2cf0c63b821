// The fill versions, and each triangle sent to the context's version: the
// kernels were resolved once for the frame (MakeDrawContext).
#include "render/fill_dispatch.h"

#include "render/fill_by_rows.h"
#include "render/fill_flat.h"
#include "render/fill_textured.h"
#include "render/looks_fill.h"
#include "render/spans.h"
#include "render/workspace.h"

namespace renderer {

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
  if (context.kernels == nullptr) {
    FillTexturedTrianglePlain(context, triangle);
  } else {
    FillTexturedTriangleByRows(context, triangle, context.kernels->textured);
  }
}

void FillFlatTriangle(DrawContext& context, const ClippedTriangle& triangle) {
  if (context.kernels == nullptr) {
    FillFlatTrianglePlain(context, triangle);
  } else {
    FillFlatTriangleByRows(context, triangle, context.kernels->flat);
  }
}

void FillTexturedSpans(DrawContext& context, const ClippedTriangle& triangle) {
  if (context.kernels == nullptr) {
    FillTexturedSpansPlain(context, triangle);
  } else {
    FillTexturedSpansByRows(context, triangle, context.kernels->textured);
  }
}

void FillFlatSpans(DrawContext& context, const ClippedTriangle& triangle) {
  if (context.kernels == nullptr) {
    FillFlatSpansPlain(context, triangle);
  } else {
    FillFlatSpansByRows(context, triangle, context.kernels->flat);
  }
}

namespace {

bool AllCornersVisible(const ObjectFrame& object, const MeshTriangle& triangle) {
  const ProjectedVertex* p = object.projected;
  const int32_t* v = triangle.vertex;
  return p[v[0]].visible && p[v[1]].visible && p[v[2]].visible;
}

// A triangle wholly in front of the near plane, as ClipTriangle and the
// fills would draw it, but with its spans set up straight from the
// projected corners: the clipped corners, the plane and the colour are made
// only when some row has a column.
template <bool reachesBand>
void DrawWholeTriangle(DrawContext& context, const ObjectFrame& object,
                       const MeshTriangle& triangle, const Texture* texture) {
  if (!reachesBand && WholeTriangleHidden(context.view, object, triangle,
                                          context.area, context.band)) {
    return;
  }
  const bool textured = triangle.texture != kNoTexture;
  if (textured && (texture == nullptr || !TextureIsUsable(*texture))) return;
  const ProjectedVertex* p = object.projected;
  const int32_t* v = triangle.vertex;
  const ScreenPoint points[3] = {{p[v[0]].screenX, p[v[0]].screenY},
                                 {p[v[1]].screenX, p[v[1]].screenY},
                                 {p[v[2]].screenX, p[v[2]].screenY}};
  if (!SetupTriangleSpans(context, points)) return;
  ClippedTriangle clipped;
  if (textured) {
    SetWholeTriangle(clipped, object, triangle, texture, context.light);
    FillTexturedSpans(context, clipped);
  } else {
    SetWholeFlatTriangle(clipped, object, triangle, context.light);
    FillFlatSpans(context, clipped);
  }
}

// `reachesBand`: the triangle is known to be wholly visible, kept by the
// classification and with rows in the band (a band's own list says so), so
// those checks are spared.
template <bool reachesBand>
void DrawMeshTriangle(DrawContext& context, const ObjectFrame& object,
                      const MeshTriangle& triangle, const Texture* texture) {
  if (UsesLooksFill(context.view.looks, triangle)) {
    if (!reachesBand &&
        TriangleMissesRows(object, triangle, context.area, context.band)) {
      return;
    }
    DrawTriangleWithLooks(context, object, triangle, texture);
    return;
  }
  if (AllCornersVisible(object, triangle)) {
    DrawWholeTriangle<reachesBand>(context, object, triangle, texture);
    return;
  }
  ClipResult result;
  result.count = 0;
  ClipTriangle(context, object, triangle, texture, &result);
  const bool textured = triangle.texture != kNoTexture;
  for (int32_t i = 0; i < result.count; ++i) {
    if (textured) {
      FillTexturedTriangle(context, result.clipped[i]);
    } else {
      FillFlatTriangle(context, result.clipped[i]);
    }
  }
}

}  // namespace

void DrawTriangle(DrawContext& context, const ObjectFrame& object,
                  const MeshTriangle& triangle, const Texture* texture) {
  DrawMeshTriangle<false>(context, object, triangle, texture);
}

void DrawBandTriangle(DrawContext& context, const ObjectFrame& object,
                      const MeshTriangle& triangle, const Texture* texture) {
  DrawMeshTriangle<true>(context, object, triangle, texture);
}

}  // namespace renderer
