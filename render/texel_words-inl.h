// Texels and colours several at a time, compiled once per Highway target
// for the row kernels: texel coordinates wrapped into the texture, each
// lane's texel (3 bytes R, G, B at a byte offset) read as one 4-byte word
// and turned into 0x00RRGGBB, and such colours split into channels and
// joined again.
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

#if HWY_HAVE_SCALABLE || HWY_TARGET == HWY_EMU128 || HWY_TARGET == HWY_SCALAR

// The 4-byte words at the given byte offsets, by a gather.
HWY_INLINE hn::Vec<DU> LoadWords(const uint8_t* base, const int32_t* at) {
  const DI di;
  const auto* words = reinterpret_cast<const int32_t*>(base);
  return hn::BitCast(DU(), hn::GatherOffset(di, words, hn::Load(di, at)));
}

#else

template <class DW, size_t... kLane>
HWY_INLINE hn::Vec<DW> InsertWords(DW dw, const uint8_t* base,
                                   const int32_t* at,
                                   std::index_sequence<kLane...>) {
  auto words = hn::Zero(dw);
  ((words = hn::InsertLane(words, kLane, LoadWord(base + at[kLane]))), ...);
  return words;
}

// The 4-byte words at the given byte offsets, each loaded on its own and
// put into its lane: on many processors a gather is slower than the loads
// it stands for. Up to four lanes at a time, halves joined above that.
template <class DW>
HWY_INLINE hn::Vec<DW> LoadWordLanes(DW dw, const uint8_t* base,
                                     const int32_t* at) {
  constexpr size_t kLanes = hn::MaxLanes(DW());
  if constexpr (kLanes <= 4) {
    return InsertWords(dw, base, at, std::make_index_sequence<kLanes>());
  } else {
    const hn::Half<DW> half;
    return hn::Combine(dw, LoadWordLanes(half, base, at + kLanes / 2),
                       LoadWordLanes(half, base, at));
  }
}

HWY_INLINE hn::Vec<DU> LoadWords(const uint8_t* base, const int32_t* at) {
  return LoadWordLanes(DU(), base, at);
}

#endif

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

// 0x00RRGGBB from the texels at the given byte offsets (aligned, one per
// lane) into `texelCount` (>= 2) texels, read as 4-byte little-endian words
// (bytes R, G, B, then the next texel's first byte). A word at the very
// last texel would pass the end of the texels, so it is read from one byte
// earlier and shifted down.
HWY_INLINE hn::Vec<DU> TexelColours(const uint8_t* texels, int32_t texelCount,
                                    const int32_t* offsets) {
  const DI di;
  const DU du;
  const auto offset = hn::Load(di, offsets);
  const auto atEnd = hn::Gt(offset, hn::Set(di, texelCount * 3 - 4));
  HWY_ALIGN int32_t starts[kMaxLanes];
  hn::Store(hn::Add(offset, hn::VecFromMask(di, atEnd)), di, starts);  // -1
  auto words = LoadWords(texels, starts);
  words = hn::IfThenElse(hn::RebindMask(du, atEnd), hn::ShiftRight<8>(words),
                         words);
  const auto byte = hn::Set(du, 0xFFu);
  return hn::Or(hn::Or(hn::ShiftLeft<16>(hn::And(words, byte)),
                       hn::And(words, hn::Set(du, 0xFF00u))),
                hn::And(hn::ShiftRight<16>(words), byte));
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
