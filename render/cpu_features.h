#pragma once
// Which instruction sets the processor offers, asked once.

namespace renderer {

// True when the processor and the operating system support AVX2.
bool CpuHasAvx2();

}  // namespace renderer
