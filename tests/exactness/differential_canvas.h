#pragma once
// A guarded frame buffer and depth buffer whose contents can be set to a
// random start, drawn into by one fill version, and compared bit for bit
// with what another version drew from the same start.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "render/fill_dispatch.h"
#include "render_test_support.h"

// The vector versions this processor runs (never the plain one).
std::vector<FillPath> FastPathsHere();
const char* PathName(FillPath path);

// Construct it first (it binds the frame buffer), then set up the objects
// and render buffers, then Attach() its guarded depth buffer in place of
// the renderer's own, which the destructor puts back.
class DifferentialCanvas {
 public:
  DifferentialCanvas(int32_t width, int32_t height);
  ~DifferentialCanvas();
  void Attach();
  bool Intact() const;  // no write outside either buffer

  // Random pixels, and depths mixing the cleared value, random depths in
  // the range the triangles reach, and NaN. Remembered as the start.
  void Randomise(std::mt19937* random);
  void BackToStart();

  struct Result {
    std::vector<uint32_t> pixels;  // the guarded block, guards included
    std::vector<uint32_t> depthBits;
    int64_t pixelsPassed;
  };
  // Restores the start, selects `path`, runs `draw` and keeps the outcome.
  template <typename Draw>
  Result DrawWith(FillPath path, Draw draw) {
    BackToStart();
    SetFillPath(RigWorkspace(), path);
    const int64_t before = PassedSoFar();
    draw();
    Result result = Capture();
    result.pixelsPassed = PassedSoFar() - before;
    SetFillPath(RigWorkspace(), BestFillPath());
    return result;
  }

  GuardedFrame frame;
  int64_t depthEntries;
  std::vector<float> depth;  // depthEntries, then a guard tail

 private:
  static int64_t PassedSoFar();
  Result Capture() const;
  std::vector<uint32_t> startPixels;
  std::vector<float> startDepth;
  float* savedDepth = nullptr;
  int64_t savedEntries = 0;
  bool attached = false;
};

// Empty when equal; otherwise where the first difference lies.
std::string FirstDifference(const DifferentialCanvas::Result& expected,
                            const DifferentialCanvas::Result& actual);
