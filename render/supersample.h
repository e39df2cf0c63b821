#pragma once
// Several samples per pixel: the scene drawn k times wider and taller (k =
// 2 for 4 samples, 4 for 16) into the workspace's sample buffer, then each
// pixel of the target's client area the linear-light mean of its k x k
// samples, and its depth the nearest of theirs.
#include <cstdint>

#include "render/draw_area.h"

namespace renderer {

// True when the look asks for 4 or 16 samples.
bool DrawsSamples(const Looks& looks);

// Samples per side: 2 for 4 samples, 4 for 16, else 1.
int32_t SampleScale(const Looks& looks);

// The sample frame's view: focal length k f, centre k c - (k - 1) / 2, the
// viewport's pixels scaled by k, one sample per pixel.
View SampleView(const View& view, int32_t k);

// The pixels of the target a frame with samples draws: the viewport
// inside the client area and both buffers; empty when none.
PixelArea SampledArea(const View& view, const FrameTarget& target);

// The whole frame: depth reset, the sample frame drawn, then averaged
// into the sampled area. The rest of the target holds what it holds when
// nothing is drawn. Too large a sample frame is drawn with one sample.
void RenderSamples(const Scene& scene, const View& view,
                   const FrameTarget& target,
                   Workspace& workspace);

// Output pixels of `area` from a sample frame `samples` (its top-left
// sample at (0, 0)), rows first..last of the area only.
void ResolveRows(const FrameTarget& samples, int32_t k, const PixelArea& area,
                 int32_t first, int32_t last, const FrameTarget& target);

}  // namespace renderer
