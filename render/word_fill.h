#pragma once
// Filling long runs of 32-bit values: the depth reset and the colour clear,
// with the vector stores of a fill version's kernels.
#include <cstddef>
#include <cstdint>

#include "render/row_kernels.h"

namespace renderer {

// Sets count words from `words` on to `value`: with `kernels`' vector
// stores, or one word at a time when `kernels` is null (the plain fills).
void FillWords(const RowKernels* kernels, uint32_t* words, size_t count,
               uint32_t value);

// The same for floats, given by their bits (the depth buffer's clear value).
void FillFloatBits(const RowKernels* kernels, float* values, size_t count,
                   uint32_t bits);

// Rows top..bottom of a frame (rows `stride` words apart), each from its
// first word for `count` words, set to `value`.
void FillRows(const RowKernels* kernels, uint32_t* words, int64_t stride,
              int32_t top, int32_t bottom, size_t count, uint32_t value);

// The kernels of the best fill version, for fills made without a workspace.
const RowKernels* BestFillKernels();

}  // namespace renderer
