// Allocation counting for the test programs that link it
// (see allocation_counter.h).
#include "tests/support/allocation_counter.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
#define COUNTING_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define COUNTING_UNDER_ASAN 1
#endif
#endif

namespace {

std::atomic<bool> counting{false};
std::atomic<int64_t> allocations{0};

void NoteAllocation() {
  if (counting.load(std::memory_order_relaxed)) {
    allocations.fetch_add(1, std::memory_order_relaxed);
  }
}

}  // namespace

void StartCountingAllocations() {
  allocations.store(0);
  counting.store(true);
}

int64_t StopCountingAllocations() {
  counting.store(false);
  return allocations.load();
}

#ifdef COUNTING_UNDER_ASAN

// From the sanitizer runtime (GCC ships no header that declares it).
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*onAllocate)(const volatile void*, size_t),
    void (*onRelease)(const volatile void*));

namespace {

void OnAllocate(const volatile void*, size_t) { NoteAllocation(); }
void OnRelease(const volatile void*) {}

const int hooksInstalled =
    __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnRelease);

}  // namespace

#else

// glibc's own entry points; these replacements count, then hand over.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);

void* malloc(size_t size) noexcept {
  NoteAllocation();
  return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) noexcept {
  NoteAllocation();
  return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) noexcept {
  NoteAllocation();
  return __libc_realloc(block, size);
}

void* memalign(size_t alignment, size_t size) noexcept {
  NoteAllocation();
  return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) noexcept {
  NoteAllocation();
  return __libc_memalign(alignment, size);
}

int posix_memalign(void** block, size_t alignment, size_t size) noexcept {
  NoteAllocation();
  void* p = __libc_memalign(alignment, size);
  if (p == nullptr) return ENOMEM;
  *block = p;
  return 0;
}

void free(void* block) noexcept { __libc_free(block); }
}

#endif
