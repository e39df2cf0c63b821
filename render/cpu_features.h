#pragma once
// Which instruction sets the processor offers, asked once.

// True when the processor and the operating system support AVX2.
bool CpuHasAvx2();
