// The depth entries the last frame wrote, kept row by row, and the resets
// that use them.
#include "render/drawn_rows.h"

#include <algorithm>

#include "render/scene_steps.h"
#include "render/word_fill.h"

namespace renderer {

namespace {

constexpr Span kNoColumns{1, 0};

bool Describes(const DrawnRows& record, const FrameTarget& target) {
  return record.valid && record.depth == target.depth &&
         record.stride == target.depthStride &&
         record.entries == target.depthEntries;
}

}  // namespace

int64_t DepthRowsOf(const FrameTarget& target) {
  if (target.depth == nullptr || target.depthEntries <= 0 ||
      target.depthStride <= 0) {
    return 0;
  }
  return (target.depthEntries + target.depthStride - 1) / target.depthStride;
}

Span* StartDrawnRows(DrawnRows& record, const FrameTarget& target) {
  record.resetDrawnOnly = target.depthKept && Describes(record, target);
  record.valid = false;
  const int64_t rows = DepthRowsOf(target);
  if (rows == 0) return nullptr;
  if (record.rows.size() < size_t(rows)) {
    record.rows.resize(size_t(rows), kNoColumns);
  }
  return record.rows.data();
}

void ResetDepthRows(DrawnRows& record, const FrameTarget& target,
                    const RowKernels* kernels, RenderStats& counters,
                    int64_t first, int64_t end) {
  const int64_t rows = DepthRowsOf(target);
  if (rows == 0) {
    if (first == 0) ClearZBuffer(target, kernels, counters);
    return;
  }
  end = std::min(end, rows);
  if (first >= end) return;
  const int64_t stride = target.depthStride;
  Span* spans = record.rows.data();
  if (!record.resetDrawnOnly) {
    const int64_t last = end == rows ? target.depthEntries : end * stride;
    ClearDepthEntries(target, kernels, counters, first * stride, last);
    std::fill(spans + first, spans + end, kNoColumns);
    return;
  }
  const int64_t start = StageStart(counters);
  for (int64_t y = first; y < end; ++y) {
    const Span span = spans[y];
    if (span.first > span.last) continue;
    // A span never reaches past the buffer: its cells were written.
    FillFloatBits(kernels, target.depth + y * stride + span.first,
                  size_t(span.last - span.first) + 1, kDepthClearBits);
    spans[y] = kNoColumns;
  }
  AddStageTime(counters, start, counters.depthResetNs);
}

void FinishDrawnRows(DrawnRows& record, const FrameTarget& target) {
  record.depth = target.depth;
  record.stride = target.depthStride;
  record.entries = target.depthEntries;
  record.valid = DepthRowsOf(target) > 0;
}

}  // namespace renderer
