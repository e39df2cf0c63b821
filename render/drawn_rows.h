#pragma once
// What the frames drawn with a workspace wrote into the depth buffer, row
// by row, so that the next frame into the same buffer resets only that:
// every other entry still holds the reset value. Used only when the caller
// says the buffer holds what the last frame left (FrameTarget::depthKept)
// and the buffer is the one the record describes; else every entry is
// reset, as always.
#include <cstdint>
#include <vector>

#include "render/row_kernels.h"
#include "render/span.h"
#include "renderer/render.h"

namespace renderer {

// The last ClearFrame with a workspace: its frame buffer and bounds, and
// how many frames the workspace has drawn since.
struct ColourClear {
  const uint32_t* pixels = nullptr;
  int32_t pitch = 0;
  int32_t lastRow = -1;
  int32_t lastColumn = -1;
  int32_t framesSince = 2;  // saturates at 2
};

struct DrawnRows {
  const uint32_t* pixels = nullptr;  // the frame buffer the last frame drew
  int32_t pitch = 0;                 // into, and its pitch
  ColourClear cleared;
  const float* depth = nullptr;  // the buffer described, its stride and size
  int64_t stride = 0;
  int64_t entries = 0;
  int64_t count = 0;  // rows any write can reach: the depth rows, at most
                      // the frame buffer's rows + 1 (a line's 2 x 2 block)
  bool valid = false;  // `rows` covers every entry not at the reset value
  bool resetDrawnOnly = false;  // this frame's reset (StartDrawnRows)
  // Per depth row (a partial last one included), of the first `count`: the
  // columns written, first > last for none. Sized by the frame buffer's
  // rows, so that a change of depth stride alone allocates nothing.
  std::vector<Span> rows;
};

// Starts a frame into `target`: sizes the record (grows only) and decides
// whether the frame's reset may take only the recorded spans
// (resetDrawnOnly). The record is not valid again until FinishDrawnRows.
// Returns the rows to note the frame's writes in, or null when the target
// has no usable depth rows.
Span* StartDrawnRows(DrawnRows& record, const FrameTarget& target);

// The depth rows `target` has, a partial last one included; 0 when it has
// no usable depth buffer.
int64_t DepthRowsOf(const FrameTarget& target);

// Resets depth rows first..end - 1 (end past the last row: to the end of
// the buffer): only their recorded spans when the frame resets what was
// drawn, else every entry; their records (those the record holds)
// emptied. Without usable rows, the call with first 0 resets every entry.
void ResetDepthRows(DrawnRows& record, const FrameTarget& target,
                    const RowKernels* kernels, RenderStats& counters,
                    int64_t first, int64_t end);

// The frame is drawn: the record now describes `target`'s depth buffer.
void FinishDrawnRows(DrawnRows& record, const FrameTarget& target);

// True when ClearFrame(target, lastRow, lastColumn) (bounds already cut to
// the buffer) may clear only what the last frame drew: the caller keeps
// the pixels, the last clear had these bounds in this buffer, and exactly
// one frame, recorded and into this buffer, came after it.
bool ClearsOnlyDrawn(const DrawnRows& record, const FrameTarget& target,
                     int32_t lastRow, int32_t lastColumn);

// Clears, in rows first..last (of the record's first `count`) and columns
// 0..lastColumn, the columns the last frame wrote on each row, with
// `kernels`' stores.
void ClearDrawnColour(const DrawnRows& record, int64_t count,
                      const FrameTarget& target, const RowKernels* kernels,
                      int32_t first, int32_t last, int32_t lastColumn);

// A ClearFrame with these bounds (cut to the buffer) was done.
void NoteColourClear(DrawnRows& record, const FrameTarget& target,
                     int32_t lastRow, int32_t lastColumn);

// Widens row y's record to take columns first..last (first <= last).
inline void NoteDrawn(Span* rows, int64_t y, int32_t first, int32_t last) {
  Span& span = rows[y];
  if (span.first > span.last) {
    span = Span{first, last};
    return;
  }
  if (first < span.first) span.first = first;
  if (last > span.last) span.last = last;
}

}  // namespace renderer
