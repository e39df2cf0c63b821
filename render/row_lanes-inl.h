// Lane helpers shared by the two row kernels, compiled once per Highway
// target: masks kept as lane bits (so that a mask of double lanes can steer
// 32-bit lanes), and loads and stores of a row's last, partial step that
// touch no entry past the row's end.
#if defined(RENDER_ROW_LANES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RENDER_ROW_LANES_INL_H_
#undef RENDER_ROW_LANES_INL_H_
#else
#define RENDER_ROW_LANES_INL_H_
#endif

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>

HWY_BEFORE_NAMESPACE();
namespace row_lanes {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// A row is drawn in chunks of whole steps of lanes, at most this many
// pixels; the widest vector holds fewer lanes than this.
constexpr size_t kChunkPixels = 64;
constexpr size_t kMaxLanes = HWY_MAX_BYTES / sizeof(float);
static_assert(HWY_MAX_BYTES / sizeof(double) <= kChunkPixels);

// Lane i of the mask as bit i. Highway writes the bits as bytes, lanes 0
// to 7 first; they are read back byte by byte, as each byte was written
// (a wider read of narrow stores would wait for them to reach the cache).
template <class D>
HWY_INLINE uint64_t MaskBits(D d, hn::Mask<D> mask) {
  constexpr size_t kBytes = (hn::MaxLanes(D()) + 7) / 8;
  static_assert(kBytes <= 8);
  // Scalable vectors may hold fewer lanes than the most there can be: only
  // the bytes for the lanes there are get written.
  uint8_t bytes[kBytes] = {};
  hn::StoreMaskBits(d, mask, bytes);
  uint64_t bits = 0;
  for (size_t i = 0; i < kBytes; ++i) bits |= uint64_t{bytes[i]} << (8 * i);
  return bits;
}

// The mask whose lane i is bit i of `bits`.
template <class D>
HWY_INLINE hn::Mask<D> MaskFromBits(D d, uint64_t bits) {
  constexpr size_t kBytes = (hn::MaxLanes(D()) + 7) / 8;
  uint8_t bytes[8] = {};
  for (size_t i = 0; i < kBytes; ++i) bytes[i] = uint8_t(bits >> (8 * i));
  return hn::LoadMaskBits(d, bytes);
}

// The first `valid` entries from `from` on; lanes past them hold zero.
// Targets whose masked loads and stores never touch the lanes left out
// (AVX-512, SVE) use them; the others go through a copy on the stack.
template <class D, typename T = hn::TFromD<D>>
HWY_INLINE hn::Vec<D> LoadFirst(D d, const T* from, size_t valid) {
  if (valid == hn::Lanes(d)) return hn::LoadU(d, from);
#if !HWY_MEM_OPS_MIGHT_FAULT
  return hn::MaskedLoad(hn::FirstN(d, valid), d, from);
#endif
  HWY_ALIGN T lanes[kMaxLanes] = {};
  for (size_t i = 0; i < valid; ++i) lanes[i] = from[i];
  return hn::Load(d, lanes);
}

// Stores the lanes of `mask` among the first `valid` ones; every other
// entry keeps its value.
template <class D, typename T = hn::TFromD<D>>
HWY_INLINE void StoreFirst(D d, hn::Vec<D> v, hn::Mask<D> mask, T* to,
                           size_t valid) {
  if (valid == hn::Lanes(d)) {
#if HWY_TARGET == HWY_AVX2
    // AVX2's masked stores are slow on many processors; a whole step is
    // read, blended and written back instead.
    hn::StoreU(hn::IfThenElse(mask, v, hn::LoadU(d, to)), d, to);
#else
    hn::BlendedStore(v, mask, d, to);
#endif
    return;
  }
#if !HWY_MEM_OPS_MIGHT_FAULT
  hn::BlendedStore(v, hn::And(mask, hn::FirstN(d, valid)), d, to);
  return;
#endif
  HWY_ALIGN T lanes[kMaxLanes];
  hn::Store(v, d, lanes);
  const uint64_t bits = MaskBits(d, mask);
  for (size_t i = 0; i < valid; ++i) {
    if ((bits >> i) & 1) to[i] = lanes[i];
  }
}

}  // namespace HWY_NAMESPACE
}  // namespace row_lanes
HWY_AFTER_NAMESPACE();

#endif  // RENDER_ROW_LANES_INL_H_
