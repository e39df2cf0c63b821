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

#include "renderer/renderer.h"
#include "tests/soak/guarded_frame.h"
#include "tests/soak/random_scene.h"

namespace {

constexpr int kStates = 300;
constexpr uint64_t kRecordedHash = 0x56247d006779ee30ull;

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
uint64_t DrawAndHash(SoakScene* scene, GuardedFrame* frame,
                     const std::vector<uint32_t>& start) {
  frame->block = start;
  renderer::FrameTarget target =
      TargetOf(*frame, scene->depth.data(), int64_t(scene->depth.size()));
  const Rect& client = frame->clientRect;
  renderer::ClearFrame(target, LastIndex(client.top, client.bottom),
                       LastIndex(client.left, client.right));
  renderer::RenderFrame(scene->scene, scene->view, target, *scene->workspace);
  const uint64_t hash = Fnv1a(frame->block.data(), frame->block.size() * 4,
                              0xcbf29ce484222325ull);
  return Fnv1a(scene->depth.data(), scene->depth.size() * 4, hash);
}

TEST(RandomSceneHashes, EveryFillVersionDrawsTheRecordedFrames) {
  GuardedFrame frame;
  BindGuardedFrame(&frame, 256, 160);
  SoakScene scene;
  BuildSoakScene(&scene, &frame, RENDERER_TEXTURE_DIR);
  const std::vector<renderer::FillPath> paths = renderer::SupportedFillPaths();
  renderer::Workspace& workspace = *scene.workspace;
  uint64_t all = 0xcbf29ce484222325ull;
  for (int state = 0; state < kStates; ++state) {
    std::mt19937_64 rng(7000 + uint64_t(state));
    RandomiseState(&scene, &frame, &rng);
    const std::vector<uint32_t> start = frame.block;
    renderer::SetFillPath(workspace, renderer::kPlainFill);
    const uint64_t plain = DrawAndHash(&scene, &frame, start);
    for (size_t i = 1; i < paths.size(); ++i) {
      renderer::SetFillPath(workspace, paths[i]);
      EXPECT_EQ(DrawAndHash(&scene, &frame, start), plain)
          << renderer::FillPathName(paths[i]) << ", state " << state << ": "
          << DescribeState(scene, frame);
    }
    RestoreImages(&scene);
    all = Fnv1a(&plain, sizeof plain, all);
  }
  std::string names;
  for (renderer::FillPath path : paths) {
    names += std::string(" ") + renderer::FillPathName(path);
  }
  std::printf("%d random scenes, hash 0x%016llx, fill versions:%s\n", kStates,
              (unsigned long long)all, names.c_str());
  EXPECT_EQ(all, kRecordedHash);
}

}  // namespace
