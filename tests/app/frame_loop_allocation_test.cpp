// The frame loop allocates nothing: frames, animation steps, the FPS
// counter's updates and the handling of input messages all run on memory
// that start-up allocated. Every allocation of this test program is counted
// while a frame loop runs.
#include <gtest/gtest.h>

#include "app/application.h"
#include "platform/message_queue.h"
#include "tests/app/app_fixture.h"
#include "tests/support/allocation_counter.h"

namespace {

using FrameLoopAllocation = AppTest;

TEST_F(FrameLoopAllocation, TheLoopAllocatesNothing) {
  StartDemo();
  app.fps.visible = 1;
  IdleTick(app);  // the scripted window system keeps a copy of the first frame
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

  StartCountingAllocations();
  for (int frame = 0; frame < 40; ++frame) {
    fakeTick += 60;  // every frame steps the animation and the FPS counter
    IdleTick(app);
  }
  const int32_t status = RunMessageLoop(app);
  const int64_t allocations = StopCountingAllocations();
  EXPECT_EQ(status, 0);
  EXPECT_EQ(allocations, 0);
  EXPECT_GT(fakeWindows.presentCount, 40);
}

}  // namespace
