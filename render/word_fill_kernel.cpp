// The word fills (the depth reset and the colour clear), written once and
// compiled for every Highway target (foreach_target.h re-includes this file
// per target): whole vectors of the value stored unaligned, four at a time
// while they fit, then one at a time, and the last few entries one by one.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "render/word_fill_kernel.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>

#include "render/row_kernels.h"

HWY_BEFORE_NAMESPACE();
namespace word_fill {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Floats go through float lanes, so a float buffer is written as floats;
// vector stores copy the bits unchanged.
template <typename T>
HWY_INLINE void FillLanes(T* out, size_t count, T value) {
  const hn::ScalableTag<T> d;
  const size_t lanes = hn::Lanes(d);
  const auto v = hn::Set(d, value);
  size_t i = 0;
  for (; i + 4 * lanes <= count; i += 4 * lanes) {
    hn::StoreU(v, d, out + i);
    hn::StoreU(v, d, out + i + lanes);
    hn::StoreU(v, d, out + i + 2 * lanes);
    hn::StoreU(v, d, out + i + 3 * lanes);
  }
  for (; i + lanes <= count; i += lanes) hn::StoreU(v, d, out + i);
  for (; i < count; ++i) out[i] = value;
}

void FillWords(uint32_t* words, size_t count, uint32_t value) {
  FillLanes(words, count, value);
}

void FillFloats(float* values, size_t count, float value) {
  FillLanes(values, count, value);
}

// This target's fills when asked for this target.
renderer::WordFillKernel WordsFor(int64_t target) {
  return target == HWY_TARGET ? &FillWords : nullptr;
}

renderer::FloatFillKernel FloatsFor(int64_t target) {
  return target == HWY_TARGET ? &FillFloats : nullptr;
}

}  // namespace HWY_NAMESPACE
}  // namespace word_fill
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace word_fill {
HWY_EXPORT(WordsFor);
HWY_EXPORT(FloatsFor);
}  // namespace word_fill

namespace renderer {

WordFillKernel WordFillKernelFor(int64_t target) {
  return KernelFromTable(word_fill::HWY_DISPATCH_TABLE(WordsFor), target);
}

FloatFillKernel FloatFillKernelFor(int64_t target) {
  return KernelFromTable(word_fill::HWY_DISPATCH_TABLE(FloatsFor), target);
}

}  // namespace renderer
#endif  // HWY_ONCE
