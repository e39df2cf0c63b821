#pragma once
// Drawing a frame: the view, the target memory, the workspace, the call.
#include <cstdint>
#include <memory>

#include "renderer/geometry.h"
#include "renderer/scene.h"

namespace renderer {

constexpr uint32_t kBackgroundColour = 0x787878u;

// The camera: perspective focal length, near plane, screen centre and the
// viewport the fills may touch (left/top inclusive, right/bottom inclusive
// as the scene pass uses them).
struct View {
  int32_t focalLength = 400;
  int32_t nearZ = 2;
  double centreX = 0;
  double centreY = 0;
  int32_t viewportLeft = 0;
  int32_t viewportTop = 0;
  int32_t viewportRight = 0;
  int32_t viewportBottom = 0;
};

// Caller-owned memory the frame is drawn into. Colour: 0x00RRGGBB pixels,
// rows `pitch` bytes apart, width x height of them. Depth: floats, rows
// `depthStride` entries apart, `depthEntries` in all (DepthEntriesFor gives
// what a width x height target needs).
struct FrameTarget {
  uint32_t* pixels = nullptr;
  int32_t pitch = 0;
  int32_t width = 0;
  int32_t height = 0;
  float* depth = nullptr;
  int64_t depthStride = 0;
  int64_t depthEntries = 0;
  Rect clientRect;
};

// Depth entries a width x height target needs: (width + 1) x (height + 1).
int64_t DepthEntriesFor(int32_t width, int32_t height);

// A target over caller memory: pitch width * 4, depth stride width.
FrameTarget MakeFrameTarget(uint32_t* pixels, float* depth, int32_t width,
                            int32_t height);

// Fills rows 0..lastRow, columns 0..lastColumn with kBackgroundColour,
// kept inside the target.
void ClearFrame(FrameTarget& target, int32_t lastRow, int32_t lastColumn);

// The depth stored at (x, y); 9.0e20f where nothing was drawn.
float DepthAt(const FrameTarget& target, int32_t x, int32_t y);

// Counters of the last frames: pixels that passed the depth test, and, when
// `timing` is on, the time spent in the depth reset and the fills.
struct RenderStats {
  bool timing = false;
  int64_t pixelsPassed = 0;
  int64_t depthResetNs = 0;
  int64_t fillNs = 0;
};

// Per-renderer scratch state: span table, transformed and projected
// vertices, statistics, and the fill version in use. Reused frame after
// frame, so a frame allocates nothing once the scene's sizes are known.
struct Workspace;
struct WorkspaceDeleter {
  void operator()(Workspace* workspace) const;
};
using WorkspacePtr = std::unique_ptr<Workspace, WorkspaceDeleter>;
WorkspacePtr MakeWorkspace();

RenderStats& Stats(Workspace& workspace);

// Resets the depth buffer, then draws every object of the scene in order.
void RenderFrame(const Scene& scene, const View& view, FrameTarget& target,
                 Workspace& workspace);

}  // namespace renderer
