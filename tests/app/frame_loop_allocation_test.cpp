// The frame loop allocates nothing: frames, animation steps, the FPS
// counter's updates and the handling of input messages all run on memory
// that start-up allocated. Every operator new of this test program is
// counted while a frame loop runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "app/application.h"
#include "platform/message_queue.h"
#include "tests/app/app_fixture.h"

namespace {
bool counting = false;
long allocations = 0;
}  // namespace

// GCC cannot see that these replacements pair malloc with free throughout.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  if (counting) ++allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace {

using FrameLoopAllocation = AppTest;

TEST_F(FrameLoopAllocation, TheLoopAllocatesNothing) {
  StartDemo();
  appWindow->fpsVisible = 1;
  IdleTick();  // the scripted window system keeps a copy of the first frame
  // A scripted stretch of use: keys, a drag, exposure, a move, then Escape.
  const uint32_t keys[] = {'P', 'O', 'P', 'O', 0x25, 0x26, 0x65, 0x6B,
                           'Z', 'X', '1', '1', 'F',  'F',  0x21, 0x22};
  for (uint32_t key : keys) QueueEvent(kMsgKeyDown, key);
  QueueEvent(kMsgLeftButtonDown, 0, PackCursorPosition(300, 300));
  QueueEvent(kMsgMouseMove, 1, PackCursorPosition(340, 320));
  QueueEvent(kMsgLeftButtonUp, 0, PackCursorPosition(340, 320));
  QueueEvent(kMsgPaint);
  QueueEvent(kMsgMove);
  QueueEvent(kMsgSize);
  QueueEvent(kMsgKeyDown, 0x1B);
  fakeWindows.events.reserve(fakeWindows.events.size());

  counting = true;
  for (int frame = 0; frame < 40; ++frame) {
    fakeTick += 60;  // every frame steps the animation and the FPS counter
    IdleTick();
  }
  const int32_t status = RunMessageLoop();
  counting = false;
  EXPECT_EQ(status, 0);
  EXPECT_EQ(allocations, 0);
  EXPECT_GT(fakeWindows.presentCount, 40);
}

}  // namespace
