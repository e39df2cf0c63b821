// The wide stores behind the depth reset and the colour clear: every
// length and start alignment, nothing written before or after the run.
#include "render/word_fill.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/cpu_features.h"

using namespace renderer;

namespace {

using Fill = void (*)(void*, size_t, uint32_t);

void CheckAllLengthsAndAlignments(Fill fill) {
  constexpr uint32_t kGuard = 0xA5A5A5A5u;
  constexpr uint32_t kValue = 0x62432809u;
  for (size_t start = 0; start < 8; ++start) {
    for (size_t count = 0; count <= 200; ++count) {
      std::vector<uint32_t> words(start + count + 8, kGuard);
      fill(words.data() + start, count, kValue);
      for (size_t i = 0; i < words.size(); ++i) {
        const bool inside = i >= start && i < start + count;
        ASSERT_EQ(words[i], inside ? kValue : kGuard)
            << "start " << start << ", count " << count << ", word " << i;
      }
    }
  }
}

TEST(WordFill, PlainFillsExactlyTheRun) {
  CheckAllLengthsAndAlignments(FillWordsPlain);
}

#if defined(__x86_64__)
TEST(WordFill, Sse2FillsExactlyTheRun) {
  CheckAllLengthsAndAlignments(FillWordsSse2);
}

TEST(WordFill, Avx2FillsExactlyTheRun) {
  if (!CpuHasAvx2()) GTEST_SKIP() << "no AVX2 on this processor";
  CheckAllLengthsAndAlignments(FillWordsAvx2);
}
#endif

}  // namespace
