#pragma once
// What the workspace keeps for the looks beside the flat one: each scene
// mesh's corner normals, worked out once, and the sample buffers of frames
// drawn with several samples per pixel. Both grow only.
#include <cstdint>
#include <vector>

#include "render/corner_normals.h"

namespace renderer {

// A frame drawn k times wider and taller than its target, before it is
// averaged down: pixels and depth, `width` entries per row.
struct SampleBuffer {
  std::vector<uint32_t> pixels;
  std::vector<float> depth;
};

struct LooksState {
  std::vector<MeshNormalsCache> meshNormals;  // by scene mesh index
  SampleBuffer samples;
};

}  // namespace renderer
