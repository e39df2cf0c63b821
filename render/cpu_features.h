#pragma once
// Which instruction sets the processor offers, asked once.

namespace renderer {

// True when the processor and the operating system support AVX2.
bool CpuHasAvx2();

// True when they support AVX-512 F and VL (512-bit lanes, and masks on
// 128- and 256-bit ones).
bool CpuHasAvx512();

}  // namespace renderer
