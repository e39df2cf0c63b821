// SDL's drop event through the SDL back end: it becomes kMsgDropFiles, with
// the path kept where the caller asked.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/native_window.h"

namespace {

using namespace platform;

TEST(SdlDropTest, ADroppedFileBecomesADropMessageWithItsPath) {
  ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
  SDL_Event event{};
  event.type = SDL_DROPFILE;
  event.drop.file = SDL_strdup("models/cube.glb");
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  NativeEvent events[4];
  std::string dropped;
  const int32_t count = NativeReadEvents(0, events, 4, &dropped);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(events[0].message, kMsgDropFiles);
  EXPECT_EQ(dropped, "models/cube.glb");
  SDL_Quit();
}

}  // namespace
