// sRGB decode and encode tables.
#include "render/srgb_mean.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace renderer {

namespace {

SrgbTables BuildTables() {
  SrgbTables tables{};
  for (uint32_t c = 0; c < 256; ++c) tables.decode[c] = DecodeSrgb(c);
  // Each start is found by halving over the bit patterns of the doubles
  // from 0 to 1, which run in the order of their values.
  const uint64_t one = std::bit_cast<uint64_t>(1.0);
  tables.start[0] = 0;
  for (uint32_t r = 1; r < 256; ++r) {
    uint64_t low = 0, high = one;  // Encode(high) >= r
    while (low < high) {
      const uint64_t middle = low + (high - low) / 2;
      if (EncodeSrgbByFormula(std::bit_cast<double>(middle)) >= r) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    tables.start[r] = std::bit_cast<double>(low);
  }
  for (int32_t b = 0; b < kEncodeBuckets; ++b) {
    const double low = double(b) / kEncodeBuckets;
    tables.below[b] = uint8_t(
        std::upper_bound(tables.start + 1, tables.start + 256, low) -
        (tables.start + 1));
  }
  return tables;
}

}  // namespace

double DecodeSrgb(uint32_t channel) {
  const double c = double(channel) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

uint32_t EncodeSrgbByFormula(double linear) {
  const double e = linear <= 0.0031308
                       ? 12.92 * linear
                       : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
  const double rounded = std::floor(e * 255.0 + 0.5);
  if (!(rounded > 0)) return 0;
  return rounded >= 255.0 ? 255u : uint32_t(rounded);
}

const SrgbTables& Srgb() {
  static const SrgbTables tables = BuildTables();
  return tables;
}

uint32_t EncodeSrgb(const SrgbTables& tables, double linear) {
  // The starts at or below the bucket's low end b / kEncodeBuckets (which
  // is at or below `linear`: scaling by a power of two is exact), then the
  // one or two between there and `linear`.
  const double scaled = linear * kEncodeBuckets;
  const int32_t bucket =
      scaled > 0 ? int32_t(std::min(scaled, kEncodeBuckets - 1.0)) : 0;
  uint32_t count = tables.below[bucket];
  while (count < 255 && tables.start[count + 1] <= linear) ++count;
  return count;
}

}  // namespace renderer
