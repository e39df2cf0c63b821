// SDL's window events as the platform hands them on, read through SDL's own
// event queue (no display needed: only the events subsystem runs).
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/native_window.h"
#include "platform/window_messages.h"

namespace {

using namespace platform;

class SdlEvents : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0); }
  void TearDown() override { SDL_Quit(); }

  static void Post(Uint8 windowEvent, Sint32 data1, Sint32 data2) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = windowEvent;
    event.window.data1 = data1;
    event.window.data2 = data2;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }

  // Every message read, `capacity` at a time, until SDL's queue is empty.
  static std::vector<NativeEvent> ReadAll(int32_t capacity) {
    std::vector<NativeEvent> all;
    std::string dropped;
    NativeEvent batch[16];
    int32_t count = 0;
    while ((count = NativeReadEvents(0, batch, capacity, &dropped)) > 0) {
      all.insert(all.end(), batch, batch + count);
    }
    return all;
  }
};

// SDL posts SIZE_CHANGED before RESIZED for a resize from outside; the size
// message, which follows and clamps the client area, must come last.
TEST_F(SdlEvents, AResizeFromOutsideEndsOnTheSizeMessage) {
  for (int32_t capacity : {2, 3, 16}) {
    SCOPED_TRACE(capacity);
    Post(SDL_WINDOWEVENT_SIZE_CHANGED, 520, 380);
    Post(SDL_WINDOWEVENT_RESIZED, 520, 380);
    Post(SDL_WINDOWEVENT_MOVED, -40, -30);
    const std::vector<NativeEvent> read = ReadAll(capacity);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[0].message, kMsgSize);
    EXPECT_EQ(read[1].message, kMsgSizing);
    EXPECT_EQ(read[2].message, kMsgSize);
    EXPECT_EQ(read[2].lParam, PackCursorPosition(520, 380));
    EXPECT_EQ(read[3].message, kMsgMove);
  }
}

TEST_F(SdlEvents, AResizeFromTheProgramIsOneSizeMessage) {
  Post(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600);
  const std::vector<NativeEvent> read = ReadAll(2);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].message, kMsgSize);
  EXPECT_EQ(read[0].lParam, PackCursorPosition(800, 600));
}

}  // namespace
