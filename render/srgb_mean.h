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

// The decoded value of each 8-bit channel, and the smallest linear value
// that encodes to each of 1..255 (entry 0 unused).
struct SrgbTables {
  double decode[256];
  double start[256];
};

// Built once per process; never changes afterwards.
const SrgbTables& Srgb();

// EncodeSrgbByFormula through the tables.
uint32_t EncodeSrgb(const SrgbTables& tables, double linear);

}  // namespace renderer
