// Processor feature checks for run-time dispatch, each asked once. They may
// run from static initialisers, possibly before libgcc's own, so the
// processor is asked explicitly first.
#include "render/cpu_features.h"

namespace renderer {

#if defined(__x86_64__)

bool CpuHasAvx2() {
  static const bool hasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return hasAvx2;
}

#else  // other processors have no AVX2

bool CpuHasAvx2() { return false; }

#endif

}  // namespace renderer
