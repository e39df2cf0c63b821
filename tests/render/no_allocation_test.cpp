// The frame loop allocates nothing: every allocation function of this test
// binary is replaced by one that counts, and RenderScene must leave the
// count unchanged, for the demo scene and for a scene that clips and draws
// untextured triangles and lines.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "render/demo_scene.h"
#include "render/frame_buffer.h"
#include "render/headless_target.h"
#include "render_test_support.h"
#include "scene/animation.h"
#include "scene/scene_object.h"

// The replacements below pair malloc with free themselves; GCC cannot see
// that through inlining.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

// malloc and friends too, through glibc's own entry points (not under
// AddressSanitizer, which provides them itself).
#if !defined(__SANITIZE_ADDRESS__)
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* malloc(size_t size) {
  ++allocations;
  return __libc_malloc(size);
}
void* calloc(size_t n, size_t size) {
  ++allocations;
  return __libc_calloc(n, size);
}
void* realloc(void* p, size_t size) {
  ++allocations;
  return __libc_realloc(p, size);
}
}
#endif

namespace {

long CountRenderScene() {
  const long before = allocations.load();
  RenderScene();
  return allocations.load() - before;
}

TEST(NoAllocation, CountingWorks) {
  // Through volatile pointers, so the compiler cannot elide the pairs.
  static int* volatile object;
  static void* volatile block;
  const long before = allocations.load();
  object = new int(3);
  delete object;
  block = std::malloc(16);
  std::free(block);
#if defined(__SANITIZE_ADDRESS__)
  EXPECT_GE(allocations.load() - before, 1);
#else
  EXPECT_GE(allocations.load() - before, 2);
#endif
}

TEST(NoAllocation, DemoFramesAllocateNothing) {
  static HeadlessTarget target{};
  SetupDemoScene(RENDERER_TEXTURE_DIR);
  BindHeadlessTarget(&target, 1920, 1080, 800, 600);
  SetDemoProjection(&renderContext, target.clientRect, target.clientCentre);
  AllocateRenderBuffers(&renderContext);
  for (int frameNumber = 0; frameNumber < 20; ++frameNumber) {
    ClearFrame(599, 799);
    EXPECT_EQ(CountRenderScene(), 0) << "frame " << frameNumber;
    for (int i = 0; i < 10; ++i) AnimateStep(0, 0);
  }
}

TEST(NoAllocation, ClippedFlatTrianglesAndLinesAllocateNothing) {
  static HeadlessTarget target{};
  BindHeadlessTarget(&target, 320, 240, 320, 240);
  ResetObjects(1);
  static TestMesh mesh;
  mesh.vertices = {{-3000, 500, -2000}, {3000, 500, -2000}, {0, 500, 9000},
                   {-100, -100, 400},   {100, 100, -400}};
  mesh.triangles = {FlatTriangle(0, 1, 2, 0x336699)};
  mesh.lines = {{3, 4, 0xFF0000, 0x00FF00}};
  PlaceMesh(&mesh, 0, 0, 0, 0);
  SetDemoProjection(&renderContext, target.clientRect, target.clientCentre);
  for (int i = 0; i < 5; ++i) {
    ClearFrame(239, 319);
    EXPECT_EQ(CountRenderScene(), 0);
    RotateObjectY(&sceneObjects[0], 7);
  }
}

}  // namespace
