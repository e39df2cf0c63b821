// Wide stores for the depth reset and the colour clear. The buffers are
// written through vector stores or memcpy only, so floats and words may
// share the code without any aliasing question.
#include "render/word_fill.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>

#include "render/cpu_features.h"
#endif

namespace renderer {

void FillWordsPlain(void* words, size_t count, uint32_t value) {
  char* bytes = static_cast<char*>(words);
  for (size_t i = 0; i < count; ++i) std::memcpy(bytes + 4 * i, &value, 4);
}

#if defined(__x86_64__)

namespace {

// The last count % 4 words, one 4-byte store each.
void FillTail(char* bytes, size_t count, uint32_t value) {
  for (size_t i = 0; i < count; ++i) {
    _mm_storeu_si32(bytes + 4 * i, _mm_cvtsi32_si128(int32_t(value)));
  }
}

}  // namespace

__attribute__((target("avx2"))) void FillWordsAvx2(void* words, size_t count,
                                                   uint32_t value) {
  char* bytes = static_cast<char*>(words);
  const __m256i v = _mm256_set1_epi32(int32_t(value));
  size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes + 4 * i), v);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes + 4 * i + 32), v);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes + 4 * i + 64), v);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes + 4 * i + 96), v);
  }
  for (; i + 8 <= count; i += 8) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes + 4 * i), v);
  }
  FillTail(bytes + 4 * i, count - i, value);
}

void FillWordsSse2(void* words, size_t count, uint32_t value) {
  char* bytes = static_cast<char*>(words);
  const __m128i v = _mm_set1_epi32(int32_t(value));
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + 4 * i), v);
  }
  FillTail(bytes + 4 * i, count - i, value);
}

void FillWords(uint32_t* words, size_t count, uint32_t value) {
  if (CpuHasAvx2()) {
    FillWordsAvx2(words, count, value);
  } else {
    FillWordsSse2(words, count, value);
  }
}

void FillFloatBits(float* values, size_t count, uint32_t bits) {
  if (CpuHasAvx2()) {
    FillWordsAvx2(values, count, bits);
  } else {
    FillWordsSse2(values, count, bits);
  }
}

#else  // other processors: the compiler's own vector code for the loop

void FillWords(uint32_t* words, size_t count, uint32_t value) {
  FillWordsPlain(words, count, value);
}

void FillFloatBits(float* values, size_t count, uint32_t bits) {
  FillWordsPlain(values, count, bits);
}

#endif

void FillRows(uint32_t* words, int64_t stride, int32_t top, int32_t bottom,
              size_t count, uint32_t value) {
  for (int32_t y = top; y <= bottom; ++y) {
    FillWords(words + y * stride, count, value);
  }
}

}  // namespace renderer
