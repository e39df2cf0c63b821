// The render context's buffers: allocation once at start-up, and the
// per-frame depth reset.
#include "render/render_context.h"

#include <algorithm>
#include <bit>
#include <cstddef>

#include "render/frame_target.h"
#include "render/huge_pages.h"
#include "render/int_convert.h"
#include "render/render_stats.h"
#include "render/word_fill.h"

RenderContext renderContext = {};

namespace {

void ReleaseRenderBuffers(RenderContext* context) {
  for (int32_t i = 0; i < context->projectedObjectCount; ++i) {
    delete[] context->projectedVertices[i];
  }
  delete[] context->projectedVertices;
  delete[] context->projectedVertexCounts;
  delete[] context->spanTable;
  delete[] context->zBuffer;
  context->projectedVertices = nullptr;
  context->projectedVertexCounts = nullptr;
  context->projectedObjectCount = 0;
  context->spanTable = nullptr;
  context->spanTableRows = 0;
  context->zBuffer = nullptr;
  context->zBufferEntries = 0;
}

void AllocateProjectedVertices(RenderContext* context) {
  const int32_t count = std::max(objectCount, 0);
  context->projectedVertices = new ProjectedVertex*[size_t(count)]();
  context->projectedVertexCounts = new int32_t[size_t(count)]();
  context->projectedObjectCount = count;
  for (int32_t i = 0; i < count; ++i) {
    const Mesh* mesh = sceneObjects[i].mesh;
    const int32_t n = mesh != nullptr ? std::max(mesh->vertexCount, 0) : 0;
    context->projectedVertices[i] = new ProjectedVertex[size_t(n)]();
    context->projectedVertexCounts[i] = n;
  }
}

// windowRect's width and height, 0 when unbound or inverted.
int64_t WindowExtent(bool width) {
  if (frame.windowRect == nullptr) return 0;
  const Rect& r = *frame.windowRect;
  const int64_t extent = width ? int64_t(r.right) - r.left
                               : int64_t(r.bottom) - r.top;
  return std::max<int64_t>(extent, 0);
}

}  // namespace

void AllocateRenderBuffers(RenderContext* context) {
  ReleaseRenderBuffers(context);
  AllocateProjectedVertices(context);
  const int64_t width = WindowExtent(true);
  const int64_t height = WindowExtent(false);
  // Rows up to the desktop's height (one spare) fit, so a client as tall as
  // the desktop is never cut by the table.
  const int32_t rows = int32_t(std::clamp<int64_t>(
      height + 1, int64_t{kSpanTableRows}, int64_t{kInt32Max}));
  context->spanTable = new Span[size_t(rows)]();
  context->spanTableRows = rows;
  context->zBufferEntries = (height + 1) * (width + 1);
  context->zBuffer = new float[size_t(context->zBufferEntries)];
  AdviseHugePages(context->zBuffer,
                  size_t(context->zBufferEntries) * sizeof(float));
  ClearZBuffer();
}

void ClearZBuffer() {
  float* depth = renderContext.zBuffer;
  if (depth == nullptr) return;
  const int64_t start = renderStats.timing ? StatsClockNs() : 0;
  FillFloatBits(depth, size_t(renderContext.zBufferEntries), kDepthClearBits);
  if (renderStats.timing) renderStats.depthResetNs += StatsClockNs() - start;
}
