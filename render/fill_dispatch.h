#pragma once
// Which version of the two triangle fills the renderer runs. Every version
// draws the same bits; the fastest one the processor supports is chosen at
// start. Tests and benchmarks may pick another to compare them.
#include <cstdint>

enum class FillPath : int32_t {
  kPlain,   // one pixel at a time: the reference
  kAvx2,    // four pixels per step
  kAvx512,  // eight pixels per step
};

bool FillPathSupported(FillPath path);

// The fastest supported path.
FillPath BestFillPath();

FillPath ActiveFillPath();

// Selects `path` when the processor supports it; returns whether it did.
bool UseFillPath(FillPath path);
