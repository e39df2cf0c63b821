// The canvas the differential tests draw on.
#include "differential_canvas.h"

#include <bit>
#include <cmath>
#include <cstring>


std::vector<FillPath> FastPathsHere() {
  std::vector<FillPath> paths = SupportedFillPaths();
  paths.erase(paths.begin());  // the plain fills
  return paths;
}

const char* PathName(FillPath path) { return FillPathName(path); }

constexpr int64_t kDepthGuard = 64;

DifferentialCanvas::DifferentialCanvas(int32_t width, int32_t height)
    : frame(width, height, 5, 2),
      depthEntries(int64_t{width + 1} * (height + 1)),
      depth(size_t(depthEntries + kDepthGuard),
            std::bit_cast<float>(kGuardDepthBits)) {
  frame.Bind();
}

DifferentialCanvas::~DifferentialCanvas() {
  if (!attached) return;
  Rig().target.depth = savedDepth;
  Rig().target.depthEntries = savedEntries;
}

void DifferentialCanvas::Attach() {
  savedDepth = Rig().target.depth;
  savedEntries = Rig().target.depthEntries;
  Rig().target.depth = depth.data();
  Rig().target.depthEntries = depthEntries;
  attached = true;
}

bool DifferentialCanvas::Intact() const {
  for (size_t i = size_t(depthEntries); i < depth.size(); ++i) {
    if (std::bit_cast<uint32_t>(depth[i]) != kGuardDepthBits) return false;
  }
  return frame.Intact();
}

void DifferentialCanvas::Randomise(std::mt19937* random) {
  std::uniform_int_distribution<uint32_t> word;
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_real_distribution<float> near(0.5f, 6000.0f);
  for (int32_t y = 0; y < frame.height; ++y) {
    for (int32_t x = 0; x < frame.width; ++x) frame.At(x, y) = word(*random);
  }
  for (int64_t i = 0; i < depthEntries; ++i) {
    const int k = kind(*random);
    depth[size_t(i)] = k < 5   ? std::bit_cast<float>(kDepthClearBits)
                       : k < 9 ? near(*random)
                               : std::nanf("");
  }
  startPixels = frame.block;
  startDepth = depth;
}

void DifferentialCanvas::BackToStart() {
  // Assignment keeps each vector's storage, so the bound pointers stay.
  frame.block = startPixels;
  depth = startDepth;
}

int64_t DifferentialCanvas::PassedSoFar() {
  // The rig's fills count into worker 0's scratch record.
  return RigScratch().counters.pixelsPassed;
}

DifferentialCanvas::Result DifferentialCanvas::Capture() const {
  Result result;
  result.pixels = frame.block;
  result.depthBits.resize(depth.size());
  std::memcpy(result.depthBits.data(), depth.data(),
              depth.size() * sizeof(float));
  result.pixelsPassed = 0;
  return result;
}

std::string FirstDifference(const DifferentialCanvas::Result& expected,
                            const DifferentialCanvas::Result& actual) {
  for (size_t i = 0; i < expected.pixels.size(); ++i) {
    if (expected.pixels[i] != actual.pixels[i]) {
      return "pixel block entry " + std::to_string(i);
    }
  }
  for (size_t i = 0; i < expected.depthBits.size(); ++i) {
    if (expected.depthBits[i] != actual.depthBits[i]) {
      return "depth entry " + std::to_string(i);
    }
  }
  if (expected.pixelsPassed != actual.pixelsPassed) {
    return "pixels passed " + std::to_string(expected.pixelsPassed) + " vs " +
           std::to_string(actual.pixelsPassed);
  }
  return "";
}
