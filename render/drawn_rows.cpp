// The depth entries the last frame wrote, kept row by row, and the resets
// that use them.
#include "render/drawn_rows.h"

#include <algorithm>

#include "render/draw_area.h"
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
  // Fills write rows of the frame buffer only; a line's 2 x 2 block reaches
  // one row further.
  const int64_t frameRows = int64_t{FrameViewOf(target).rows} + 1;
  const int64_t count = std::min(DepthRowsOf(target), frameRows);
  record.resetDrawnOnly = target.depthKept && Describes(record, target) &&
                          record.count == count;
  if (record.cleared.framesSince < 2) ++record.cleared.framesSince;
  record.valid = false;
  record.count = count;
  if (count <= 0) return nullptr;
  if (record.rows.size() < size_t(frameRows)) {
    record.rows.resize(size_t(frameRows), kNoColumns);
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
    const int64_t held = std::min(end, int64_t(record.rows.size()));
    if (first < held) std::fill(spans + first, spans + held, kNoColumns);
    return;
  }
  // Rows past `count` were not written by the last frame (its count was
  // the same).
  const int64_t start = StageStart(counters);
  const int64_t drawnEnd = std::min(end, record.count);
  for (int64_t y = first; y < drawnEnd; ++y) {
    const Span span = spans[y];
    if (span.first > span.last) continue;
    // A span never reaches past the buffer: its cells were written.
    FillFloatBits(kernels, target.depth + y * stride + span.first,
                  size_t(span.last - span.first) + 1, kDepthClearBits);
    spans[y] = kNoColumns;
  }
  AddStageTime(counters, start, counters.depthResetNs);
}

bool ClearsOnlyDrawn(const DrawnRows& record, const FrameTarget& target,
                     int32_t lastRow, int32_t lastColumn) {
  const ColourClear& cleared = record.cleared;
  return target.pixelsKept && cleared.framesSince == 1 &&
         cleared.pixels == target.pixels && cleared.pitch == target.pitch &&
         cleared.lastRow == lastRow && cleared.lastColumn == lastColumn &&
         record.valid && record.pixels == target.pixels &&
         record.pitch == target.pitch;
}

void ClearDrawnColour(const DrawnRows& record, int64_t count,
                      const FrameTarget& target, const RowKernels* kernels,
                      int32_t first, int32_t last, int32_t lastColumn) {
  const FrameView view = FrameViewOf(target);
  const int64_t end = std::min(int64_t{last} + 1, count);
  for (int64_t y = first; y < end; ++y) {
    const Span span = record.rows[size_t(y)];
    const int32_t last = std::min(span.last, lastColumn);
    if (span.first > last) continue;
    FillRows(kernels, view.pixels + span.first, view.stride, int32_t(y),
             int32_t(y), size_t(last - span.first) + 1, kBackgroundColour);
  }
}

void NoteColourClear(DrawnRows& record, const FrameTarget& target,
                     int32_t lastRow, int32_t lastColumn) {
  record.cleared = ColourClear{target.pixels, target.pitch, lastRow,
                               lastColumn, 0};
}

void FinishDrawnRows(DrawnRows& record, const FrameTarget& target) {
  record.pixels = target.pixels;
  record.pitch = target.pitch;
  record.depth = target.depth;
  record.stride = target.depthStride;
  record.entries = target.depthEntries;
  record.valid = record.count > 0;
  record.resetDrawnOnly = false;
}

}  // namespace renderer
