#pragma once
// The fill versions by FillPath: the plain fills, or the row kernels of one
// vector target compiled in (row_kernels.h), chosen from per workspace.
#include "render/clip.h"
#include "render/row_kernels.h"

namespace renderer {

// The row kernels `path` names; null for the plain fills, or for a target
// this processor does not run.
const RowKernels* RowKernelsOf(FillPath path);

}  // namespace renderer
