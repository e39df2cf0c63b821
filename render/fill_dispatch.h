#pragma once
// Which version of the two triangle fills the renderer runs: the plain
// one-pixel fills, or the row kernels of one vector target compiled in
// (row_kernels.h). Every version draws the same bits; the best one the
// processor supports is chosen at start. Tests and benchmarks may list the
// versions and pick another to compare them.
#include <cstdint>
#include <vector>

#include "render/row_kernels.h"

struct FillPath {
  const RowKernels* kernels;  // null: the plain fills
  bool operator==(const FillPath&) const = default;
};

constexpr FillPath kPlainFill{nullptr};

// Every version this processor runs: the plain fills first, then each
// vector target, best first.
std::vector<FillPath> FillPathsHere();

// The best vector target, or the plain fills where there is none.
FillPath BestFillPath();

FillPath ActiveFillPath();
void UseFillPath(FillPath path);

// "plain", or the vector target's name ("AVX3", "AVX2", "NEON", "SVE", ...).
const char* FillPathName(FillPath path);
