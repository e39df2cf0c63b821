// Renderer soak: thousands of random but legal states through one frame
// each (clear, scene pass, animation step), checking after every frame that
// no pixel outside the frame buffer changed, that every depth entry is the
// clear value or a real depth beyond 1, and that the frame allocated nothing.
#include <bit>
#include <cmath>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "renderer/renderer.h"
#include "scene/demo_steps.h"
#include "tests/support/allocation_counter.h"
#include "tests/soak/guarded_frame.h"
#include "tests/soak/random_scene.h"

namespace {

// "" when every depth entry is the clear value or a depth above 1; counts
// the frames that wrote any depth, so the soak can tell it drew something.
std::string FindBadDepth(const std::vector<float>& depth,
                         int64_t* framesDrawn) {
  const float clear = std::bit_cast<float>(renderer::kDepthClearBits);
  bool drawn = false;
  for (size_t i = 0; i < depth.size(); ++i) {
    const float z = depth[i];
    if (z == clear) continue;
    drawn = true;
    if (std::isnan(z) || z <= 1.0f) {
      return "depth entry " + std::to_string(i) + " holds " + std::to_string(z);
    }
  }
  if (drawn) ++*framesDrawn;
  return "";
}

int32_t LastIndex(int32_t low, int32_t high) {
  return int32_t(std::max<int64_t>(int64_t(high) - low - 1, -1));
}

// One frame as the program draws it: clear the client area, run the scene
// pass, and now and then advance the animation.
void DrawFrame(SoakScene* scene, const GuardedFrame& frame, bool animate) {
  renderer::FrameTarget target = TargetOf(frame, scene->depth.data(),
                                          int64_t(scene->depth.size()));
  const Rect& client = frame.clientRect;
  renderer::ClearFrame(target, LastIndex(client.top, client.bottom),
                       LastIndex(client.left, client.right));
  renderer::RenderFrame(scene->scene, scene->view, target, *scene->workspace);
  if (animate) renderer::AnimateDemoScene(scene->scene, false, false);
}

// Runs `states` random states on a width x height desktop; returns the
// number run, stopping at the first failure. The counts are fixed rather
// than timed, so a slow or busy machine runs the same states.
int64_t Soak(int32_t width, int32_t height, int64_t states, uint64_t seed) {
  GuardedFrame target;
  BindGuardedFrame(&target, width, height);
  SoakScene scene;
  BuildSoakScene(&scene, &target, RENDERER_TEXTURE_DIR);
  int64_t done = 0;
  int64_t drawn = 0;
  for (; done < states; ++done) {
    std::mt19937_64 rng(seed + uint64_t(done));
    RandomiseState(&scene, &target, &rng);
    StartCountingAllocations();
    DrawFrame(&scene, target, done % 7 == 0);
    const int64_t allocations = StopCountingAllocations();
    RestoreImages(&scene);
    const std::string where = "state " + std::to_string(done) + " (seed " +
                              std::to_string(seed + uint64_t(done)) + ")";
    EXPECT_EQ(allocations, 0) << where << ": " << DescribeState(scene, target);
    const std::string guard = FindGuardDamage(target);
    EXPECT_EQ(guard, "") << where << ": " << DescribeState(scene, target);
    const std::string depth = FindBadDepth(scene.depth, &drawn);
    EXPECT_EQ(depth, "") << where << ": " << DescribeState(scene, target);
    if (allocations != 0 || !guard.empty() || !depth.empty()) break;
  }
  std::printf("soak: %lld states on a %dx%d desktop, %lld of them drew\n",
              (long long)done, width, height, (long long)drawn);
  // Most states must draw something, or the checks above prove little.
  EXPECT_GE(drawn * 5, done);
  return done;
}

TEST(RenderSoak, SmallDesktopSurvivesRandomStates) {
  EXPECT_EQ(Soak(256, 160, 5000, 1000), 5000);
}

TEST(RenderSoak, FullHdDesktopSurvivesLargeClients) {
  EXPECT_EQ(Soak(1920, 1080, 40, 5000000), 40);
}

// The checkers themselves: a count of zero and untouched guards mean
// something only if they would see a fault.
TEST(GuardedFrame, ReportsWritesJustOutsideTheFrame) {
  GuardedFrame target;
  BindGuardedFrame(&target, 8, 4);
  EXPECT_EQ(FindGuardDamage(target), "");
  target.pixels[7] = 1;  // inside: the last column of row 0
  target.pixels[3 * target.blockWidth + 7] = 1;
  EXPECT_EQ(FindGuardDamage(target), "");
  target.pixels[8] = 1;  // one past the last column
  EXPECT_EQ(FindGuardDamage(target), "guard pixel changed at column 8, row 0");
  target.pixels[8] = kGuardValue;
  target.pixels[4 * target.blockWidth] = 1;  // one row below
  EXPECT_EQ(FindGuardDamage(target), "guard pixel changed at column 0, row 4");
  target.pixels[4 * target.blockWidth] = kGuardValue;
  target.pixels[-1] = 1;  // left of column 0
  EXPECT_EQ(FindGuardDamage(target), "guard pixel changed at column -1, row 0");
}

TEST(AllocationCounter, SeesNewAndMalloc) {
  StartCountingAllocations();
  std::vector<int>* numbers = new std::vector<int>(100, 1);
  void* block = std::malloc(64);
  // Keep the compiler from eliding the pair.
  asm volatile("" : : "r"(numbers), "r"(block) : "memory");
  const int64_t seen = StopCountingAllocations();
  std::free(block);
  delete numbers;
  EXPECT_GE(seen, 3);
}

}  // namespace
