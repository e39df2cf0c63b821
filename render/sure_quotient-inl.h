// Three quotients n / d for the price of one division, and the proof that
// they give the divisions' results. Compiled once per Highway target.
//
// A textured pixel needs z = K / d, Un / d and Vn / d, each rounded as
// IEEE division rounds and then taken on through further steps (rounding
// to float; additions and truncation). Division is the slowest vector
// operation there is, so the kernel divides once, for z's quotient zd,
// takes r = zd (1 / K) as the reciprocal of d, and multiplies: q = n r.
// q may differ from the rounded quotient in its last bits, so it is not
// used as it stands:
//
//  - With 2^-500 < |K| < 2^500 and 2^-400 < |d| < 2^400, zd, 1 / K and r
//    are normal, and r is within 3 roundings (2^-51.4) of 1 / d,
//    relatively; where q is normal, q is within 2^-51 |q| of n / d.
//  - Then a = q (1 - 2^-48) and b = q (1 + 2^-48), each rounded (which
//    cannot close the gap), have n / d between them, and so its rounded
//    value fl(n / d) too: rounding keeps order, and a and b are doubles.
//  - Every step after the division keeps order as well (additions and
//    truncation). Where they take a and b to the same result, they take
//    fl(n / d) to it: it is the exact one.
//  - Where |q| < 2^-1000, a, b and n / d all lie within 2^-990 of zero,
//    where the steps give one result whatever the value: x + c rounds to c
//    for any c of magnitude 2^-900 or more, and anything smaller than that
//    truncates to zero, with or without a further + 0.5.
//  - Where a and b part (a quotient within a few units in the last place
//    of a whole number, about one in 2^40), or K or d is out of range, or
//    anything is not a number, the kernel divides instead.
#if defined(RENDER_SURE_QUOTIENT_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RENDER_SURE_QUOTIENT_INL_H_
#undef RENDER_SURE_QUOTIENT_INL_H_
#else
#define RENDER_SURE_QUOTIENT_INL_H_
#endif

#include <hwy/highway.h>

#include <cmath>

HWY_BEFORE_NAMESPACE();
namespace sure_quotient {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Whether a row's K lets zd (1 / K) stand for 1 / d.
inline bool NumeratorInRange(double k) {
  return std::fabs(k) > 0x1p-500 && std::fabs(k) < 0x1p500;
}

// The lanes whose d does (not NaN).
template <class D>
HWY_INLINE hn::Mask<D> DivisorInRange(D d, hn::Vec<D> divisor) {
  const auto size = hn::Abs(divisor);
  return hn::And(hn::Gt(size, hn::Set(d, 0x1p-400)),
                 hn::Lt(size, hn::Set(d, 0x1p400)));
}

// Doubles a and b with fl(n / d) between them (in either order), from
// q = n r and r as above.
template <class D>
HWY_INLINE void QuotientBounds(D d, hn::Vec<D> q, hn::Vec<D>* a,
                               hn::Vec<D>* b) {
  *a = hn::Mul(q, hn::Set(d, 1.0 - 0x1p-48));
  *b = hn::Mul(q, hn::Set(d, 1.0 + 0x1p-48));
}

}  // namespace HWY_NAMESPACE
}  // namespace sure_quotient
HWY_AFTER_NAMESPACE();

#endif  // RENDER_SURE_QUOTIENT_INL_H_
