// SDL's drop event through the SDL back end: it becomes kMsgDropFiles, and
// the path waits for the application to take it once.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/dropped_files.h"
#include "platform/native_window.h"

namespace {

TEST(SdlDropTest, ADroppedFileBecomesADropMessageWithItsPath) {
  ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
  SDL_Event event{};
  event.type = SDL_DROPFILE;
  event.drop.file = SDL_strdup("models/cube.glb");
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  NativeEvent events[4];
  const int32_t count = NativeReadEvents(0, events, 4);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(events[0].message, kMsgDropFiles);
  EXPECT_EQ(TakeDroppedFile(), "models/cube.glb");
  EXPECT_EQ(TakeDroppedFile(), "");
  SDL_Quit();
}

}  // namespace
