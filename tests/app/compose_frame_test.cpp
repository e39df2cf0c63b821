// One frame: clear, scene, help text, FPS counter, copy to the window, white
// fill; and the FPS rule with a tick count the test controls.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "app/frame_composer.h"
#include "platform/message_queue.h"
#include "platform/text_out.h"
#include "tests/app/app_fixture.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFFu;
constexpr uint32_t kGrey = 0x787878u;

class ComposeFrameTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartDemo();
  }
  std::wstring FpsText() const { return appWindow->fpsText; }
  // The counter's second part: the workspace's thread count.
  static std::wstring ThreadsText() {
    return L"threads: " +
           std::to_wstring(renderer::ThreadCount(*appScene.workspace)) + L"  ";
  }
};

TEST_F(ComposeFrameTest, HelpLinesAreWhiteBoxesInTheirSlots) {
  ComposeFrame();
  ASSERT_EQ(fakeWindows.presentCount, 1);
  ASSERT_EQ(fakeWindows.presentedWidth, 750);
  ASSERT_EQ(fakeWindows.presentedHeight, 650);
  for (int32_t line = 0; line < kHelpLineCount; ++line) {
    const int32_t top = 35 + 20 * line;
    const int32_t width = int32_t(
        TextWidth(kHelpLines[line], int32_t(std::wcslen(kHelpLines[line]))));
    EXPECT_EQ(PresentedPixel(10, top), kWhite) << line;
    EXPECT_EQ(PresentedPixel(10 + width - 1, top + kTextLineHeight - 1),
              kWhite);
    EXPECT_EQ(PresentedPixel(9, top), kGrey) << line;
    EXPECT_EQ(PresentedPixel(10, top - 1), kGrey) << line;
  }
  // No FPS box unless asked for.
  EXPECT_EQ(PresentedPixel(10, 10), kGrey);

  helpVisible = 0;
  ComposeFrame();
  EXPECT_EQ(PresentedPixel(10, 35), kGrey);
}

TEST_F(ComposeFrameTest, AfterPresentingTheBufferIsWhiteOverTheWindowsSize) {
  ComposeFrame();
  const AppWindow& w = *appWindow;
  EXPECT_EQ(w.pixels[0], kWhite);
  const int64_t stride = w.pitch / 4;
  EXPECT_EQ(w.pixels[649 * stride + 749], kWhite);
  EXPECT_EQ(w.pixels[649 * stride + 750], 0u);  // never touched: zero-filled
  EXPECT_EQ(w.pixels[650 * stride], 0u);
}

TEST_F(ComposeFrameTest, FramesAreCountedOnlyWhileTheCounterShows) {
  ComposeFrame();
  ComposeFrame();
  EXPECT_EQ(appWindow->fpsFrames, 0);
  EXPECT_EQ(FpsText(), L"FPS: ");

  // Switched on after more than 2000 ms: updates on the very first frame,
  // with one frame halved.
  fakeTick += 2001;
  SendMessage(appWindow->hwnd, kMsgKeyDown, 'F', 0);
  ComposeFrame();
  EXPECT_EQ(FpsText(), L"FPS:  0  " + ThreadsText());
  EXPECT_EQ(appWindow->fpsFrames, 0);
  EXPECT_EQ(appWindow->fpsLastTick, fakeTick);
  // The box ends on the text's trailing blanks.
  const int32_t width =
      int32_t(TextWidth(appWindow->fpsText, int32_t(FpsText().size())));
  EXPECT_EQ(PresentedPixel(10 + width - 1, 10), kWhite);
  EXPECT_EQ(PresentedPixel(10 + width, 10), kGrey);
}

TEST_F(ComposeFrameTest, TheCounterUpdatesOnlyAfterMoreThan2000Ms) {
  appWindow->fpsVisible = 1;
  appWindow->fpsLastTick = fakeTick;
  for (int i = 0; i < 9; ++i) ComposeFrame();
  fakeTick += 2000;
  ComposeFrame();  // exactly 2000 ms: not yet
  EXPECT_EQ(appWindow->fpsFrames, 10);
  EXPECT_EQ(FpsText(), L"FPS: ");
  fakeTick += 1;
  ComposeFrame();
  EXPECT_EQ(FpsText(), L"FPS:  5  " + ThreadsText());  // 11 frames, halved
  EXPECT_EQ(appWindow->fpsFrames, 0);
}

TEST_F(ComposeFrameTest, TheCounterTakesTheTickDifferenceAsSigned) {
  appWindow->fpsVisible = 1;
  // Across the tick count's wrap: 2304 ms have passed.
  appWindow->fpsLastTick = 0xFFFFFF00u;
  fakeTick = 0x00000800u;
  ComposeFrame();
  EXPECT_EQ(appWindow->fpsLastTick, fakeTick);
  // A last update "in the future" (a clock that went back) is no time
  // passed, not four billion milliseconds.
  appWindow->fpsLastTick = fakeTick + 5000;
  ComposeFrame();
  ComposeFrame();
  EXPECT_EQ(appWindow->fpsFrames, 2);
}

TEST(ComposeFrameWithoutBuffer, DrawsAndPresentsNothing) {
  ResetEverything();
  fakeWindows.display = {0, 0, 0, 0};  // no desktop: no frame buffer
  ASSERT_EQ(StartApplication(), 1);
  ASSERT_EQ(appWindow->pixels, nullptr);
  ASSERT_EQ(InitDemo(), 0);
  ComposeFrame();
  EXPECT_EQ(fakeWindows.presentCount, 0);
}

}  // namespace
