// Random scenes pinned by one hash over every frame's pixels and depth
// bits, each frame drawn by every fill version. The vector versions must
// draw the plain fills' bits, and every platform (x86-64 and AArch64 under
// scripts/cross-aarch64 alike) the recorded hash.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "render/fill_dispatch.h"
#include "render/frame_buffer.h"
#include "render/render_context.h"
#include "tests/soak/guarded_frame.h"
#include "tests/soak/random_scene.h"

namespace {

constexpr int kStates = 300;
constexpr uint64_t kRecordedHash = 0xa1c9ea3134b4c276ull;

// FNV-1a over `bytes` bytes, continuing from `hash`.
uint64_t Fnv1a(const void* data, size_t bytes, uint64_t hash) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < bytes; ++i) hash = (hash ^ p[i]) * 0x100000001b3ull;
  return hash;
}

int32_t LastIndex(int32_t low, int32_t high) {
  return int32_t(std::max<int64_t>(int64_t(high) - low - 1, -1));
}

// One frame from the given start: clear the client area, then the scene
// pass (which resets the depth buffer); the hash of the whole guarded block
// and of every depth entry.
uint64_t DrawAndHash(GuardedFrame* target, const std::vector<uint32_t>& start) {
  target->block = start;
  const Rect& client = target->clientRect;
  ClearFrame(LastIndex(client.top, client.bottom),
             LastIndex(client.left, client.right));
  RenderScene();
  const uint64_t hash = Fnv1a(target->block.data(), target->block.size() * 4,
                              0xcbf29ce484222325ull);
  return Fnv1a(renderContext.zBuffer,
               size_t(renderContext.zBufferEntries) * 4, hash);
}

TEST(RandomSceneHashes, EveryFillVersionDrawsTheRecordedFrames) {
  GuardedFrame target;
  BindGuardedFrame(&target, 256, 160);
  SoakScene scene;
  BuildSoakScene(&scene, RENDERER_TEXTURE_DIR);
  const std::vector<FillPath> paths = FillPathsHere();
  uint64_t all = 0xcbf29ce484222325ull;
  for (int state = 0; state < kStates; ++state) {
    std::mt19937_64 rng(7000 + uint64_t(state));
    RandomiseState(&scene, &target, &rng);
    const std::vector<uint32_t> start = target.block;
    UseFillPath(kPlainFill);
    const uint64_t plain = DrawAndHash(&target, start);
    for (size_t i = 1; i < paths.size(); ++i) {
      UseFillPath(paths[i]);
      EXPECT_EQ(DrawAndHash(&target, start), plain)
          << FillPathName(paths[i]) << ", state " << state << ": "
          << DescribeState(target);
    }
    RestoreTextureSlots(&scene);
    all = Fnv1a(&plain, sizeof plain, all);
  }
  UseFillPath(BestFillPath());
  std::string names;
  for (FillPath path : paths) names += std::string(" ") + FillPathName(path);
  std::printf("%d random scenes, hash 0x%016llx, fill versions:%s\n", kStates,
              (unsigned long long)all, names.c_str());
  EXPECT_EQ(all, kRecordedHash);
}

}  // namespace
