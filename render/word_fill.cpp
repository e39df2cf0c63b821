// The word fills: the fill version's vector stores, or the plain loop.
#include "render/word_fill.h"

#include <bit>

namespace renderer {

void FillWords(const RowKernels* kernels, uint32_t* words, size_t count,
               uint32_t value) {
  if (kernels != nullptr) {
    kernels->fillWords(words, count, value);
    return;
  }
  for (size_t i = 0; i < count; ++i) words[i] = value;
}

void FillFloatBits(const RowKernels* kernels, float* values, size_t count,
                   uint32_t bits) {
  const float value = std::bit_cast<float>(bits);
  if (kernels != nullptr) {
    kernels->fillFloats(values, count, value);
    return;
  }
  for (size_t i = 0; i < count; ++i) values[i] = value;
}

void FillRows(const RowKernels* kernels, uint32_t* words, int64_t stride,
              int32_t top, int32_t bottom, size_t count, uint32_t value) {
  for (int32_t y = top; y <= bottom; ++y) {
    FillWords(kernels, words + y * stride, count, value);
  }
}

const RowKernels* BestFillKernels() { return RowKernelsOf(BestFillPath()); }

}  // namespace renderer
