#pragma once
// Where a banded frame's bands begin, chosen by cost: each band's drawing
// time in the last frame spread evenly over its rows gives a cost per row,
// and the next frame's rows are cut so that band i of n gets n - i parts of
// n (n + 1) / 2. The bands are claimed top first, so the last ones claimed
// are the smallest and the workers run out of work at nearly the same time.
// The split changes no pixel (every band draws its rows with the whole
// frame's spans), only which rows a task holds; a frame whose rows or band
// count differ from the last one's is split into equal parts.
#include <cstdint>
#include <vector>

namespace renderer {

struct BandLayout {
  int32_t top = 0;  // the rows split, both inclusive
  int32_t bottom = -1;
  int32_t bands = 0;
  std::vector<int32_t> starts;  // each band's first row, then bottom + 1
  std::vector<int64_t> costs;   // each band's drawing time this frame, ns;
                                // band i's written only by its task
  std::vector<int32_t> next;    // the next split while it is worked out
};

// Splits rows top..bottom into `bands` bands of at least `minRows` rows
// each (bands x minRows <= the rows), by the costs the last split noted
// when it covered the same rows in as many bands, else equally (BandOf);
// then zeroes the costs. Grows only.
void PlanBands(BandLayout& layout, int32_t top, int32_t bottom, int32_t bands,
               int32_t minRows);

}  // namespace renderer
