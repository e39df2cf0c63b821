#pragma once
// Filling long runs of 32-bit values: the depth reset and the colour clear.
#include <cstddef>
#include <cstdint>

namespace renderer {

// Sets count words from `words` on to `value`; wide stores where the
// processor has them.
void FillWords(uint32_t* words, size_t count, uint32_t value);

// The same for floats, given by their bits (the depth buffer's clear value).
void FillFloatBits(float* values, size_t count, uint32_t bits);

// Rows top..bottom of a frame (rows `stride` words apart), each from its
// first word for `count` words, set to `value`.
void FillRows(uint32_t* words, int64_t stride, int32_t top, int32_t bottom,
              size_t count, uint32_t value);

// The ways, for tests: one word at a time (any processor; what FillWords
// runs where there is no x86 version), and on x86-64 32-byte AVX2 stores
// (only where CpuHasAvx2) and 16-byte SSE2 stores.
void FillWordsPlain(void* words, size_t count, uint32_t value);
#if defined(__x86_64__)
void FillWordsAvx2(void* words, size_t count, uint32_t value);
void FillWordsSse2(void* words, size_t count, uint32_t value);
#endif

}  // namespace renderer
