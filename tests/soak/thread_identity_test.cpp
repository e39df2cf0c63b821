// Frames drawn with 1, 2, 3, 4 and 8 threads are identical, bit for bit:
// pixels, every depth entry and the count of pixels that passed, over a few
// hundred random states (random meshes with lines, near-plane crossings,
// random viewports, empty ones included) on desktops from a single pixel
// to fewer rows than threads to 256 x 160. Bands of one row are allowed, so
// every count really splits even the smallest frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "render/workspace.h"
#include "renderer/renderer.h"
#include "scene/demo_steps.h"
#include "tests/soak/guarded_frame.h"
#include "tests/soak/random_scene.h"

namespace {

// ThreadSanitizer runs every frame many times slower: a fifth of the states.
#if defined(__SANITIZE_THREAD__)
constexpr int64_t kStateDivisor = 5;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
constexpr int64_t kStateDivisor = 5;
#else
constexpr int64_t kStateDivisor = 1;
#endif
#else
constexpr int64_t kStateDivisor = 1;
#endif

constexpr int32_t kThreadCounts[] = {1, 2, 3, 4, 8};
constexpr int32_t kCounts = int32_t(std::size(kThreadCounts));

struct DrawnFrame {
  std::vector<uint32_t> block;
  std::vector<float> depth;
  int64_t passed = 0;
};

int32_t LastIndex(int32_t low, int32_t high) {
  return int32_t(std::max<int64_t>(int64_t(high) - low - 1, -1));
}

// One frame as the program draws it, from the same starting buffers.
DrawnFrame Draw(SoakScene* scene, GuardedFrame* frame,
                const std::vector<uint32_t>& startBlock,
                renderer::Workspace& workspace) {
  frame->block = startBlock;
  std::fill(scene->depth.begin(), scene->depth.end(), 0.5f);
  renderer::FrameTarget target = TargetOf(*frame, scene->depth.data(),
                                          int64_t(scene->depth.size()));
  const Rect& client = frame->clientRect;
  renderer::ClearFrame(target, LastIndex(client.top, client.bottom),
                       LastIndex(client.left, client.right), workspace);
  renderer::ResetStats(workspace);
  renderer::RenderFrame(scene->scene, scene->view, target, workspace);
  return DrawnFrame{frame->block, scene->depth,
                    renderer::Stats(workspace).pixelsPassed};
}

// The first difference between two frames, or "".
std::string Difference(const DrawnFrame& a, const DrawnFrame& b) {
  if (a.passed != b.passed) {
    return "passed " + std::to_string(a.passed) + " vs " +
           std::to_string(b.passed);
  }
  for (size_t i = 0; i < a.block.size(); ++i) {
    if (a.block[i] != b.block[i]) return "pixel word " + std::to_string(i);
  }
  if (std::memcmp(a.depth.data(), b.depth.data(), a.depth.size() * 4) != 0) {
    return "depth bits";
  }
  return "";
}

// Runs `states` random states; returns how many drew anything.
int64_t CompareThreadCounts(int32_t width, int32_t height, int64_t states,
                            uint64_t seed) {
  GuardedFrame frame;
  BindGuardedFrame(&frame, width, height);
  SoakScene scene;
  BuildSoakScene(&scene, &frame, RENDERER_TEXTURE_DIR);
  std::vector<renderer::WorkspacePtr> workspaces;
  for (int32_t threads : kThreadCounts) {
    workspaces.push_back(renderer::MakeWorkspace());
    EXPECT_TRUE(renderer::SetThreadCount(*workspaces.back(), threads));
    workspaces.back()->minBandRows = 1;
  }
  int64_t drew = 0;
  states = std::max<int64_t>(states / kStateDivisor, 1);
  for (int64_t done = 0; done < states; ++done) {
    std::mt19937_64 rng(seed + uint64_t(done));
    RandomiseState(&scene, &frame, &rng);
    const std::vector<uint32_t> startBlock = frame.block;
    const DrawnFrame single = Draw(&scene, &frame, startBlock, *workspaces[0]);
    drew += single.passed > 0;
    for (int32_t k = 1; k < kCounts; ++k) {
      const DrawnFrame banded =
          Draw(&scene, &frame, startBlock, *workspaces[size_t(k)]);
      const std::string difference = Difference(single, banded);
      EXPECT_EQ(difference, "")
          << kThreadCounts[k] << " threads, state " << done << " (seed "
          << seed + uint64_t(done) << "): " << DescribeState(scene, frame);
      if (!difference.empty()) return drew;
    }
    RestoreImages(&scene);
    if (done % 5 == 0) renderer::AnimateDemoScene(scene.scene, false, false);
  }
  return drew;
}

TEST(ThreadIdentity, SmallDesktopsDrawTheSameForEveryThreadCount) {
  EXPECT_GT(CompareThreadCounts(256, 160, 300, 7000) * 3, 300 / kStateDivisor);
}

TEST(ThreadIdentity, TinyDesktopsDrawTheSameForEveryThreadCount) {
  CompareThreadCounts(1, 1, 30, 8000);
  CompareThreadCounts(9, 3, 60, 8100);  // fewer rows than threads
  EXPECT_GT(CompareThreadCounts(40, 17, 60, 8200), 0);
}

TEST(ThreadIdentity, FullHdDesktopDrawsTheSameForEveryThreadCount) {
  EXPECT_GT(CompareThreadCounts(1920, 1080, 40, 9000), 0);
}

}  // namespace
