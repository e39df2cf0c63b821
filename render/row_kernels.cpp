// The table of kernels: for each Highway target that this processor runs,
// best first, the two fills' row kernels and the word fills compiled for it. Highway's
// fallbacks (EMU128, SCALAR) are left out: where no vector target runs, the
// plain fills draw everything.
#include "render/row_kernels.h"

#include <hwy/highway.h>
#include <hwy/targets.h>

#include <cstddef>

namespace renderer {

namespace {

struct KernelTable {
  RowKernels entries[64];
  size_t count = 0;
};

KernelTable FindKernels() {
  KernelTable table;
  const int64_t fallbacks = HWY_EMU128 | HWY_SCALAR;
  const int64_t supported = hwy::SupportedTargets() & ~fallbacks;
  // Lower bits stand for better targets.
  for (int bit = 0; bit < 63; ++bit) {
    const int64_t target = int64_t{1} << bit;
    if ((supported & target) == 0) continue;
    const RowKernels kernels{target,
                             hwy::TargetName(target),
                             TexturedRowKernelFor(target),
                             FlatRowKernelFor(target),
                             WordFillKernelFor(target),
                             FloatFillKernelFor(target)};
    if (kernels.textured == nullptr || kernels.flat == nullptr ||
        kernels.fillWords == nullptr || kernels.fillFloats == nullptr) {
      continue;
    }
    table.entries[table.count++] = kernels;
  }
  return table;
}

}  // namespace

std::span<const RowKernels> RowKernelsHere() {
  static const KernelTable table = FindKernels();
  return {table.entries, table.count};
}

const RowKernels* RowKernelsOf(FillPath path) {
  for (const RowKernels& kernels : RowKernelsHere()) {
    if (kernels.target == path.target) return &kernels;
  }
  return nullptr;
}

}  // namespace renderer
