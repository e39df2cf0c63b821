// Splitting a banded frame's rows by what each band cost last frame.
#include "render/band_layout.h"

#include <algorithm>

namespace renderer {

namespace {

template <typename T>
void GrowTo(std::vector<T>& values, size_t count) {
  if (values.size() < count) values.resize(count);
}

bool SameRows(const BandLayout& layout, int32_t top, int32_t bottom,
              int32_t bands) {
  return layout.top == top && layout.bottom == bottom && layout.bands == bands;
}

bool CostsKnown(const BandLayout& layout) {
  for (int32_t i = 0; i < layout.bands; ++i) {
    if (layout.costs[size_t(i)] <= 0) return false;
  }
  return true;
}

// Equal parts, as BandOf cuts them.
void SplitEqually(BandLayout& layout) {
  const int64_t rows = int64_t{layout.bottom} - layout.top + 1;
  for (int32_t i = 0; i <= layout.bands; ++i) {
    layout.starts[size_t(i)] =
        int32_t(layout.top + rows * i / layout.bands);
  }
}

// The row where the cost counted from the top reaches `share`, each band's
// cost spread evenly over its rows; `band` and `before` (the cost of the
// bands above it) move down as the shares grow.
double RowAtCost(const BandLayout& layout, double share, int32_t& band,
                 double& before) {
  const int32_t last = layout.bands - 1;
  while (band < last && before + double(layout.costs[size_t(band)]) < share) {
    before += double(layout.costs[size_t(band)]);
    ++band;
  }
  const double cost = double(layout.costs[size_t(band)]);
  const double fraction = std::clamp((share - before) / cost, 0.0, 1.0);
  const int32_t first = layout.starts[size_t(band)];
  const int32_t end = layout.starts[size_t(band) + 1];
  return first + fraction * double(end - first);
}

// Cuts the total cost into shrinking shares, band i of n taking n - i parts
// of n (n + 1) / 2, each band keeping minRows rows and leaving them to every
// band below it.
void SplitByCost(BandLayout& layout, int32_t minRows) {
  const int32_t bands = layout.bands;
  double total = 0;
  for (int32_t i = 0; i < bands; ++i) total += double(layout.costs[size_t(i)]);
  std::vector<int32_t>& next = layout.next;
  const int64_t end = int64_t{layout.bottom} + 1;
  next[0] = layout.top;
  int32_t band = 0;
  double before = 0;
  for (int32_t i = 1; i < bands; ++i) {
    // The parts of bands 0..i - 1: n + (n - 1) + ... + (n - i + 1).
    const double weightAbove = double(i) * (2.0 * bands - i + 1) / 2.0;
    const double weightAll = double(bands) * (bands + 1) / 2.0;
    const double row =
        RowAtCost(layout, total * weightAbove / weightAll, band, before);
    const int64_t lowest = int64_t{next[size_t(i) - 1]} + minRows;
    const int64_t highest = end - int64_t{bands - i} * minRows;
    next[size_t(i)] =
        int32_t(std::clamp(int64_t(row + 0.5), lowest, highest));
  }
  next[size_t(bands)] = int32_t(end);
  std::copy(next.begin(), next.begin() + bands + 1, layout.starts.begin());
}

}  // namespace

void PlanBands(BandLayout& layout, int32_t top, int32_t bottom, int32_t bands,
               int32_t minRows) {
  GrowTo(layout.starts, size_t(bands) + 1);
  GrowTo(layout.next, size_t(bands) + 1);
  GrowTo(layout.costs, size_t(bands));
  if (SameRows(layout, top, bottom, bands) && CostsKnown(layout)) {
    SplitByCost(layout, std::max(minRows, 1));
  } else {
    layout.top = top;
    layout.bottom = bottom;
    layout.bands = bands;
    SplitEqually(layout);
  }
  std::fill(layout.costs.begin(), layout.costs.begin() + bands, 0);
}

}  // namespace renderer
