// The stores behind the depth reset and the colour clear, for every fill
// version: every length and start alignment, the value's bits exactly,
// nothing written before or after the run.
#include "render/word_fill.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "renderer/render.h"

using namespace renderer;

namespace {

constexpr uint32_t kGuard = 0xA5A5A5A5u;

// `fill(first, count)` on buffers of T (words or floats) whose every entry
// outside the run holds the guard's bits.
template <typename T, typename Fill>
void CheckAllLengthsAndAlignments(Fill fill, uint32_t valueBits) {
  for (size_t start = 0; start < 8; ++start) {
    for (size_t count = 0; count <= 200; ++count) {
      std::vector<T> entries(start + count + 8, std::bit_cast<T>(kGuard));
      fill(entries.data() + start, count);
      for (size_t i = 0; i < entries.size(); ++i) {
        const bool inside = i >= start && i < start + count;
        ASSERT_EQ(std::bit_cast<uint32_t>(entries[i]),
                  inside ? valueBits : kGuard)
            << "start " << start << ", count " << count << ", entry " << i;
      }
    }
  }
}

// The colour clear's grey as words, and the depth reset's value as floats.
void CheckFillVersion(const RowKernels* kernels) {
  CheckAllLengthsAndAlignments<uint32_t>(
      [&](uint32_t* words, size_t count) {
        FillWords(kernels, words, count, kBackgroundColour);
      },
      kBackgroundColour);
  CheckAllLengthsAndAlignments<float>(
      [&](float* values, size_t count) {
        FillFloatBits(kernels, values, count, kDepthClearBits);
      },
      kDepthClearBits);
}

TEST(WordFill, EveryFillVersionFillsExactlyTheRun) {
  for (const FillPath path : SupportedFillPaths()) {
    SCOPED_TRACE(FillPathName(path));
    CheckFillVersion(RowKernelsOf(path));
  }
}

TEST(WordFill, RowsFillOnlyTheirColumns) {
  for (const FillPath path : SupportedFillPaths()) {
    SCOPED_TRACE(FillPathName(path));
    std::vector<uint32_t> frame(7 * 40, kGuard);
    FillRows(RowKernelsOf(path), frame.data(), 40, 2, 5, 33,
             kBackgroundColour);
    for (int32_t y = 0; y < 7; ++y) {
      for (int32_t x = 0; x < 40; ++x) {
        const bool inside = y >= 2 && y <= 5 && x < 33;
        ASSERT_EQ(frame[size_t(y) * 40 + size_t(x)],
                  inside ? kBackgroundColour : kGuard)
            << "row " << y << ", column " << x;
      }
    }
  }
}

}  // namespace
