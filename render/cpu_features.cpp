// Processor feature checks for run-time dispatch.
#include "render/cpu_features.h"

// Also called from static initialisers, possibly before libgcc's own, so
// the processor is asked explicitly first.
bool CpuHasAvx2() {
  __builtin_cpu_init();
  static const bool hasAvx2 = __builtin_cpu_supports("avx2") != 0;
  return hasAvx2;
}

bool CpuHasAvx512() {
  __builtin_cpu_init();
  static const bool hasAvx512 = __builtin_cpu_supports("avx512f") != 0 &&
                                __builtin_cpu_supports("avx512vl") != 0;
  return hasAvx512;
}
