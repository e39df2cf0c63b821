// Processor feature checks for run-time dispatch.
#include "render/cpu_features.h"

bool CpuHasAvx2() {
  static const bool hasAvx2 = __builtin_cpu_supports("avx2") != 0;
  return hasAvx2;
}
