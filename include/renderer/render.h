#pragma once
// Drawing a frame: the view, the target memory, the workspace, the call.
#include <cstdint>
#include <memory>
#include <vector>

#include "renderer/geometry.h"
#include "renderer/looks.h"
#include "renderer/scene.h"

namespace renderer {

// The grey ClearFrame fills with.
constexpr uint32_t kBackgroundColour = 0x787878u;

// The depth a reset depth entry holds (9.0e20f), as its bits.
constexpr uint32_t kDepthClearBits = 0x62432809u;

// The camera: perspective focal length, near plane, screen centre and the
// viewport the fills may touch (all four sides inclusive); and the look the
// frame is drawn with.
struct View {
  int32_t focalLength = 400;
  int32_t nearZ = 2;
  double centreX = 0;
  double centreY = 0;
  int32_t viewportLeft = 0;
  int32_t viewportTop = 0;
  int32_t viewportRight = 0;
  int32_t viewportBottom = 0;
  Looks looks;
};

// Caller-owned memory the frame is drawn into. Colour: 0x00RRGGBB pixels,
// rows `pitch` bytes apart, width x height of them. Depth: floats, rows
// `depthStride` entries apart, `depthEntries` in all (DepthEntriesFor gives
// what a width x height target needs). Nothing outside either is written.
struct FrameTarget {
  uint32_t* pixels = nullptr;
  int32_t pitch = 0;
  int32_t width = 0;
  int32_t height = 0;
  float* depth = nullptr;
  int64_t depthStride = 0;
  int64_t depthEntries = 0;
  Rect clientRect;  // the part the caller shows; RenderFrame does not read it
  // The caller's word that the depth buffer holds, entry for entry, what
  // the last RenderFrame into this same memory, drawn with the same
  // workspace, left there: nothing else wrote it since. RenderFrame then
  // resets only the entries that frame drew (it keeps a record of them);
  // when false, or when the workspace's last frame went to other memory or
  // another size, it resets every entry. Either way the depth buffer ends
  // the frame the same.
  bool depthKept = false;
  // The caller's word that the pixels ClearFrame (with a workspace) is
  // asked to clear hold what the last such ClearFrame, with the same
  // bounds, and the one RenderFrame after it, both with the same workspace
  // and into this same memory, left there. ClearFrame then clears only the
  // pixels that frame drew; otherwise (or when the workspace saw anything
  // else in between) every pixel. Either way the pixels end the same.
  bool pixelsKept = false;
};

// Depth entries a width x height target needs: (width + 1) x (height + 1),
// 0 for sizes that are not positive.
int64_t DepthEntriesFor(int32_t width, int32_t height);

// A target over caller memory: pitch width * 4, depth stride width, depth
// entries DepthEntriesFor(width, height), client area the whole target.
FrameTarget MakeFrameTarget(uint32_t* pixels, float* depth, int32_t width,
                            int32_t height);

// Fills rows 0..lastRow, columns 0..lastColumn with kBackgroundColour, kept
// inside the target; negative bounds fill nothing.
void ClearFrame(const FrameTarget& target, int32_t lastRow, int32_t lastColumn);

// The depth stored at (x, y) (9.0e20f where nothing was drawn); 0 outside
// the depth buffer.
float DepthAt(const FrameTarget& target, int32_t x, int32_t y);

// Counters of the frames drawn with one workspace: pixels that passed the
// depth tests, and, when `timing` is on, the time spent in the depth reset
// and in drawing the objects (clipping, spans, fills and lines; with
// several threads, the slowest thread's time).
struct RenderStats {
  bool timing = false;
  int64_t pixelsPassed = 0;
  int64_t depthResetNs = 0;
  int64_t fillNs = 0;
  int64_t colourClearNs = 0;  // ClearFrame's, or ClearAndRenderFrame's
};

// Which version of the triangle fills runs: the plain one-pixel fills, or
// the row kernels compiled for one vector target, named by Highway's bit
// for it. Every version draws the same bits; the best one the processor
// supports is the default.
struct FillPath {
  int64_t target = 0;  // 0: the plain fills
  bool operator==(const FillPath&) const = default;
};

// The plain fills, one pixel at a time: the reference.
inline constexpr FillPath kPlainFill{};

// Per-renderer scratch state: span table, transformed and projected
// vertices, statistics, and the fill version in use. Reused frame after
// frame, so a frame allocates nothing once the scene's sizes are known.
// One workspace serves one calling thread at a time; it may hold worker
// threads of its own (SetThreadCount).
struct Workspace;

// Frees a workspace; used by WorkspacePtr.
struct WorkspaceDeleter {
  void operator()(Workspace* workspace) const;
};

// An owned workspace.
using WorkspacePtr = std::unique_ptr<Workspace, WorkspaceDeleter>;

// A new, empty workspace using BestFillPath().
WorkspacePtr MakeWorkspace();

// The workspace's counters; the caller may reset them or switch timing on.
RenderStats& Stats(Workspace& workspace);

// Resets every field but `timing`.
void ResetStats(Workspace& workspace);

// Every version this processor runs: the plain fills first, then each
// vector target compiled in, best first.
std::vector<FillPath> SupportedFillPaths();

// True when this processor can run `path`.
bool FillPathSupported(FillPath path);

// "plain", or the vector target's name: "AVX3" (AVX-512), "AVX2" and
// "SSE4" on x86-64; "SVE2", "SVE", "NEON" and the like on AArch64.
const char* FillPathName(FillPath path);

// The best supported path, found once per process.
FillPath BestFillPath();

// The path this workspace's frames use.
FillPath ActiveFillPath(const Workspace& workspace);

// Selects `path` for this workspace when the processor supports it;
// returns whether it did.
bool SetFillPath(Workspace& workspace, FillPath path);

// The most worker threads a workspace takes.
constexpr int32_t kMaxThreads = 256;

// Draws this workspace's frames with `threads` workers (0: one per hardware
// thread), started here once, not per frame; a new workspace has 1. Output
// is identical, bit for bit, for every count. False for a count out of range.
bool SetThreadCount(Workspace& workspace, int32_t threads);

// The worker count this workspace's frames use, the caller's thread included.
int32_t ThreadCount(const Workspace& workspace);

// ClearFrame, split into row bands over the workspace's threads.
void ClearFrame(const FrameTarget& target, int32_t lastRow, int32_t lastColumn,
                Workspace& workspace);

// Resets the depth buffer, then draws every object of the scene in order:
// turned and moved into camera space, projected, clipped at z = 1, filled.
// Objects without a mesh are skipped. A large enough frame is drawn in
// row bands, one per thread (SetThreadCount).
void RenderFrame(const Scene& scene, const View& view,
                 const FrameTarget& target, Workspace& workspace);

// ClearFrame(target, lastRow, lastColumn, workspace) and then
// RenderFrame(scene, view, target, workspace), with the same result bit
// for bit, in one pass: each row band clears its pixels just before it
// draws them, while they are still in the cache, and the threads meet
// once a frame instead of twice.
void ClearAndRenderFrame(const Scene& scene, const View& view,
                         const FrameTarget& target, int32_t lastRow,
                         int32_t lastColumn, Workspace& workspace);

}  // namespace renderer
