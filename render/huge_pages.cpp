// Huge-page advice for the big buffers.
#include "render/huge_pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace renderer {

void AdviseHugePages(void* start, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr uintptr_t kHugePage = uintptr_t{1} << 21;
  const uintptr_t begin = reinterpret_cast<uintptr_t>(start);
  const uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t end = (begin + bytes) & ~(kHugePage - 1);
  if (start == nullptr || end <= first) return;
  madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)start;
  (void)bytes;
#endif
}

}  // namespace renderer
