// Texels and colours several at a time, compiled once per Highway target
// for the row kernels: texel coordinates wrapped into the texture, each
// lane's texel (3 bytes R, G, B at a byte offset) read as one 4-byte word
// and turned into 0x00RRGGBB by one byte shuffle, and such colours split
// into channels and joined again.
#if defined(RENDER_TEXEL_WORDS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RENDER_TEXEL_WORDS_INL_H_
#undef RENDER_TEXEL_WORDS_INL_H_
#else
#define RENDER_TEXEL_WORDS_INL_H_
#endif

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "render/row_lanes-inl.h"

HWY_BEFORE_NAMESPACE();
namespace texel_words {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;
using row_lanes::HWY_NAMESPACE::kMaxLanes;

// One lane per double lane: the kernels steer texels by double lanes.
using D = hn::ScalableTag<double>;
using DI = hn::Rebind<int32_t, D>;
using DU = hn::Rebind<uint32_t, D>;
using VD = hn::Vec<D>;

// The 4-byte word at `bytes`, in the processor's byte order.
HWY_INLINE uint32_t LoadWord(const uint8_t* bytes) {
  uint32_t word;
  std::memcpy(&word, bytes, 4);
  return word;
}

// The 4-byte words at the given byte offsets, by a gather.
HWY_INLINE hn::Vec<DU> GatherWords(const uint8_t* base, const int32_t* at) {
  const DI di;
  const auto* words = reinterpret_cast<const int32_t*>(base);
  return hn::BitCast(DU(), hn::GatherOffset(di, words, hn::Load(di, at)));
}

#if !(HWY_HAVE_SCALABLE || HWY_TARGET == HWY_EMU128 || HWY_TARGET == HWY_SCALAR)

template <class D64, size_t... kLane>
HWY_INLINE hn::Vec<D64> InsertWordPairs(D64 d64, const uint8_t* base,
                                        const int32_t* at,
                                        std::index_sequence<kLane...>) {
  auto pairs = hn::Zero(d64);
  ((pairs = hn::InsertLane(pairs, kLane,
                           uint64_t{LoadWord(base + at[2 * kLane])} |
                               uint64_t{LoadWord(base + at[2 * kLane + 1])}
                                   << 32)),
   ...);
  return pairs;
}

// The 4-byte words at the given byte offsets, each loaded on its own. Two
// words are joined in a general register and put into a 64-bit lane, which
// halves the moves into vector lanes; up to two such lanes at a time,
// halves joined above that.
template <class D64>
HWY_INLINE hn::Vec<D64> LoadWordPairLanes(D64 d64, const uint8_t* base,
                                          const int32_t* at) {
  constexpr size_t kLanes = hn::MaxLanes(D64());
  if constexpr (kLanes <= 2) {
    return InsertWordPairs(d64, base, at, std::make_index_sequence<kLanes>());
  } else {
    const hn::Half<D64> half;
    return hn::Combine(d64, LoadWordPairLanes(half, base, at + kLanes),
                       LoadWordPairLanes(half, base, at));
  }
}

#endif

// The 4-byte words at the given byte offsets. Which way is faster depends
// on the processor, not on the instruction set: on some a gather is slower
// than the loads it stands for, on others (or where security fixes slow it
// down) the other way round. So kGather picks: a gather, or each word
// loaded on its own; scalable vectors, whose lane count is not fixed,
// always gather.
template <bool kGather>
HWY_INLINE hn::Vec<DU> LoadWords(const uint8_t* base, const int32_t* at) {
#if HWY_HAVE_SCALABLE || HWY_TARGET == HWY_EMU128 || HWY_TARGET == HWY_SCALAR
  return GatherWords(base, at);
#else
  const DU du;
  if constexpr (kGather) {
    return GatherWords(base, at);
  } else if constexpr (hn::MaxLanes(DU()) >= 2) {
    return hn::BitCast(du, LoadWordPairLanes(hn::Repartition<uint64_t, DU>(),
                                             base, at));
  } else {
    return hn::Set(du, LoadWord(base + at[0]));
  }
#endif
}

// The non-negative remainder of whole numbers t (|t| < 2^31) by size, with
// q = floor(t * (1 / size)) standing for floor(t / size) and r = t - q size,
// all exact in doubles (whole numbers below 2^33). The estimate of t / size
// is off by less than 2^-52 |t / size| < 1 / size. When t / size is not a
// whole number it lies at least 1 / size from one, so q is right and r is
// in [1, size - 1]. When it is whole, q may come out one too small, giving
// r = size; that one case is corrected.
HWY_INLINE VD WrapLanes(VD t, VD size, VD inverse) {
  const VD quotient = hn::Floor(hn::Mul(t, inverse));
  const VD r = hn::Sub(t, hn::Mul(quotient, size));
  return hn::IfThenZeroElse(hn::Eq(r, size), r);
}

// 0x00RRGGBB from 4-byte little-endian words whose first three bytes are
// a texel's R, G and B.
HWY_INLINE hn::Vec<DU> WordColours(hn::Vec<DU> words) {
  const DU du;
#if HWY_TARGET == HWY_SCALAR
  const auto byte = hn::Set(du, 0xFFu);
  return hn::Or(hn::Or(hn::ShiftLeft<16>(hn::And(words, byte)),
                       hn::And(words, hn::Set(du, 0xFF00u))),
                hn::And(hn::ShiftRight<16>(words), byte));
#else
  // One byte shuffle: each lane's bytes 2, 1, 0 and a zero, indices taken
  // within the lane's 16-byte block.
  const hn::Repartition<uint8_t, DU> d8;
  const auto block = hn::And(hn::Iota(du, 0), hn::Set(du, 3u));
  const auto order = hn::Add(hn::Set(du, 0x80000102u),
                             hn::Mul(block, hn::Set(du, 0x00040404u)));
  return hn::BitCast(du, hn::TableLookupBytesOr0(hn::BitCast(d8, words),
                                                 hn::BitCast(d8, order)));
#endif
}

// Where each lane reads its texel's word, from its texel's byte offset
// (aligned) into `texelCount` (>= 2) texels: the offset itself, or for the
// very last texel one byte earlier, as a word there would pass the end of
// the texels. Only that start is 2 past a multiple of 3.
HWY_INLINE hn::Vec<DI> TexelStarts(hn::Vec<DI> offsets, int32_t texelCount) {
  const DI di;
  const auto atEnd = hn::Gt(offsets, hn::Set(di, texelCount * 3 - 4));
  return hn::Add(offsets, hn::VecFromMask(di, atEnd));  // -1
}

// 0x00RRGGBB from the texels whose words start at `starts` (TexelStarts,
// one per lane) into `texelCount` texels, read as LoadWords<kGather>
// reads. A word read one byte early is shifted down.
template <bool kGather = false>
HWY_INLINE hn::Vec<DU> TexelColoursAt(const uint8_t* texels,
                                      int32_t texelCount,
                                      const int32_t* starts) {
  const DI di;
  const DU du;
  const auto early = hn::Eq(hn::Load(di, starts),
                            hn::Set(di, texelCount * 3 - 4));
  auto words = LoadWords<kGather>(texels, starts);
  words = hn::IfThenElse(hn::RebindMask(du, early), hn::ShiftRight<8>(words),
                         words);
  return WordColours(words);
}

// 0x00RRGGBB from the texels at the given byte offsets (aligned, one per
// lane) into `texelCount` (>= 2) texels.
HWY_INLINE hn::Vec<DU> TexelColours(const uint8_t* texels, int32_t texelCount,
                                    const int32_t* offsets) {
  const DI di;
  HWY_ALIGN int32_t starts[kMaxLanes];
  hn::Store(TexelStarts(hn::Load(di, offsets), texelCount), di, starts);
  return TexelColoursAt(texels, texelCount, starts);
}

// The 8-bit channel at `kShift` (16 red, 8 green, 0 blue) of each lane's
// 0x00RRGGBB, as a double.
template <int kShift>
HWY_INLINE VD Channel(hn::Vec<DU> colour) {
  const auto byte =
      hn::And(hn::ShiftRight<kShift>(colour), hn::Set(DU(), 0xFFu));
  return hn::PromoteTo(D(), hn::BitCast(DI(), byte));
}

// 0x00RRGGBB from three channels, each a whole number from 0 to 255.
HWY_INLINE hn::Vec<DU> JoinChannels(VD red, VD green, VD blue) {
  const auto byte = [](VD value) {
    return hn::BitCast(DU(), hn::DemoteTo(DI(), value));
  };
  return hn::Or(hn::Or(hn::ShiftLeft<16>(byte(red)),
                       hn::ShiftLeft<8>(byte(green))),
                byte(blue));
}

}  // namespace HWY_NAMESPACE
}  // namespace texel_words
HWY_AFTER_NAMESPACE();

#endif  // RENDER_TEXEL_WORDS_INL_H_
