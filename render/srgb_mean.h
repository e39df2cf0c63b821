#pragma once
// The sRGB transfer function for averaging samples in linear light: 8-bit
// values decoded through a table, linear values encoded back and rounded
// half up to 8 bits through the table of where each output value begins,
// which gives exactly what the formula gives (it rises monotonically).
#include <cstdint>

namespace renderer {

// c / 255 <= 0.04045 ? (c / 255) / 12.92 : ((c / 255 + 0.055) / 1.055)^2.4.
double DecodeSrgb(uint32_t channel);

// floor(255 e + 0.5) of e = v <= 0.0031308 ? 12.92 v :
// 1.055 v^(1 / 2.4) - 0.055, held to 0..255: the formula itself.
uint32_t EncodeSrgbByFormula(double linear);

// Linear values from 0 to 1 fall into this many equal buckets for the
// encode, so that it looks at one or two starts rather than searching all
// 255: the curve is steepest near 0, at 12.92 x 255 / 4096, under one
// output value per bucket.
constexpr int32_t kEncodeBuckets = 4096;

// The decoded value of each 8-bit channel, the smallest linear value that
// encodes to each of 1..255 (entry 0 unused), and for each bucket b how
// many of those starts lie at or below b / kEncodeBuckets.
struct SrgbTables {
  double decode[256];
  double start[256];
  uint8_t below[kEncodeBuckets];
};

// Built once per process; never changes afterwards.
const SrgbTables& Srgb();

// EncodeSrgbByFormula of a linear value from 0 to 1, through the tables:
// how many starts lie at or below it.
uint32_t EncodeSrgb(const SrgbTables& tables, double linear);

}  // namespace renderer
