// The looks kernels of each vector target this processor runs, found once
// per process: a Highway dispatch table's lookup asks the processor for its
// targets each time, far too slow per triangle.
#include "render/looks_kernels.h"

#include <cstddef>

#include "render/row_kernels.h"

namespace renderer {

namespace {

struct LooksKernelTable {
  int64_t target[64];
  LooksKernels kernels[64];
  size_t count = 0;
};

LooksKernelTable FindLooksKernels() {
  LooksKernelTable table;
  for (const RowKernels& row : RowKernelsHere()) {
    const LooksKernels kernels{
        SmoothLevelKernelFor(row.target), LightColourKernelFor(row.target),
        SmoothColourKernelFor(row.target), BilinearKernelFor(row.target)};
    if (kernels.level == nullptr || kernels.light == nullptr ||
        kernels.colours == nullptr || kernels.bilinear == nullptr ||
        table.count == 64) {
      continue;
    }
    table.target[table.count] = row.target;
    table.kernels[table.count] = kernels;
    ++table.count;
  }
  return table;
}

}  // namespace

const LooksKernels* LooksKernelsOf(FillPath path) {
  if (path == kPlainFill) return nullptr;
  static const LooksKernelTable table = FindLooksKernels();
  for (size_t i = 0; i < table.count; ++i) {
    if (table.target[i] == path.target) return &table.kernels[i];
  }
  return nullptr;
}

}  // namespace renderer
