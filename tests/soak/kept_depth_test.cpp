// Frames that reset only what the previous frame drew (FrameTarget's
// depthKept and pixelsKept) leave the same pixels and depth bits as frames
// that clear and reset everything: long runs of random states through one
// workspace, one frame buffer and one depth buffer, with window rectangles
// (and so clients and depth strides) that change, viewports that cut the
// client, states that draw nothing, and frames of several samples between
// them; on one thread and in bands. Either side draws some frames with the
// clear made in the bands (ClearAndRenderFrame), in a different rhythm, so
// that each kind of frame follows each kind.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "render/workspace.h"
#include "renderer/renderer.h"
#include "tests/soak/guarded_frame.h"
#include "tests/soak/random_scene.h"

namespace {

struct Drawn {
  std::vector<uint32_t> pixels;
  std::vector<float> depth;
};

// One frame as the desktop program draws it, into `frame` and `depth`: a
// clear, then the frame, or (fused) both in one call.
Drawn DrawFrame(SoakScene& scene, const GuardedFrame& frame,
                std::vector<float>& depth, renderer::Workspace& workspace,
                bool kept, bool fused) {
  renderer::FrameTarget target =
      TargetOf(frame, depth.data(), int64_t(depth.size()));
  target.depthKept = kept;
  target.pixelsKept = kept;
  const Rect& client = frame.clientRect;
  const int32_t lastRow = client.bottom - client.top - 1;
  const int32_t lastColumn = client.right - client.left - 1;
  if (fused) {
    renderer::ClearAndRenderFrame(scene.scene, scene.view, target, lastRow,
                                  lastColumn, workspace);
  } else {
    renderer::ClearFrame(target, lastRow, lastColumn, workspace);
    renderer::RenderFrame(scene.scene, scene.view, target, workspace);
  }
  Drawn drawn;
  for (int32_t y = 0; y < frame.bufferSize.y; ++y) {
    const uint32_t* row = frame.pixels + int64_t{y} * frame.blockWidth;
    drawn.pixels.insert(drawn.pixels.end(), row, row + frame.bufferSize.x);
  }
  drawn.depth = depth;
  return drawn;
}

bool SameBits(const Drawn& a, const Drawn& b) {
  return a.pixels == b.pixels && a.depth.size() == b.depth.size() &&
         std::memcmp(a.depth.data(), b.depth.data(), a.depth.size() * 4) == 0;
}

// Runs `states` random states; each is drawn by a workspace that resets
// every entry and by one that keeps its depth buffer from state to state.
void KeptAgainstFull(int32_t width, int32_t height, int32_t threads,
                     int64_t states, uint64_t seed) {
  GuardedFrame frame;
  BindGuardedFrame(&frame, width, height);
  GuardedFrame keptFrame;  // the same geometry, memory of its own
  BindGuardedFrame(&keptFrame, width, height);
  SoakScene scene;
  BuildSoakScene(&scene, &frame, RENDERER_TEXTURE_DIR);
  renderer::WorkspacePtr kept = renderer::MakeWorkspace();
  ASSERT_TRUE(renderer::SetThreadCount(*kept, threads));
  kept->minBandRows = 8;  // bands even on the small desktop
  keptFrame.block = frame.block;  // an empty client clears nothing
  std::vector<float> keptDepth(scene.depth.size(), 0.0f);
  int64_t empty = 0;  // states that drew nothing
  renderer::ResetStats(*scene.workspace);
  for (int64_t done = 0; done < states; ++done) {
    std::mt19937_64 rng(seed + uint64_t(done));
    RandomiseState(&scene, &frame, &rng);
    if (done % 9 == 4) scene.view.looks.samples = 4;
    if (done % 11 == 6) {  // nothing in front of the camera
      for (renderer::SceneObject& object : scene.scene.objects) {
        object.position[2] = -100000;
      }
    }
    keptFrame.windowRect = frame.windowRect;
    keptFrame.clientRect = frame.clientRect;
    keptFrame.clientCentre = frame.clientCentre;
    const Drawn full = DrawFrame(scene, frame, scene.depth, *scene.workspace,
                                 false, done % 2 == 1);
    // The first frame's buffers hold what no frame left.
    const Drawn lazy = DrawFrame(scene, keptFrame, keptDepth, *kept,
                                 done > 0, done % 3 != 0);
    RestoreImages(&scene);
    scene.view.looks.samples = 1;
    empty += renderer::Stats(*scene.workspace).pixelsPassed == 0;
    ASSERT_TRUE(SameBits(full, lazy))
        << "state " << done << " (seed " << seed + uint64_t(done)
        << "): " << DescribeState(scene, frame);
    ASSERT_EQ(FindGuardDamage(keptFrame), "");
    renderer::ResetStats(*scene.workspace);
  }
  EXPECT_GT(empty, 0);
}

TEST(KeptDepth, OneThreadMatchesFullResets) {
  KeptAgainstFull(256, 160, 1, 600, 7000);
}

TEST(KeptDepth, BandsMatchFullResets) {
  KeptAgainstFull(256, 160, 3, 600, 9000);
}

TEST(KeptDepth, FullHdMatchesFullResets) {
  KeptAgainstFull(1920, 1080, 2, 12, 11000);
}

}  // namespace
