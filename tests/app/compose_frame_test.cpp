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
  std::wstring FpsText() const { return app.fps.text; }
  // The counter's second part: the workspace's thread count.
  std::wstring ThreadsText() const {
    return L"threads: " +
           std::to_wstring(renderer::ThreadCount(*app.scene.workspace)) + L"  ";
  }
};

TEST_F(ComposeFrameTest, HelpLinesAreWhiteBoxesInTheirSlots) {
  ComposeFrame(app);
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

  app.helpVisible = 0;
  ComposeFrame(app);
  EXPECT_EQ(PresentedPixel(10, 35), kGrey);
}

TEST_F(ComposeFrameTest, AfterPresentingTheBufferIsWhiteOverTheWindowsSize) {
  ComposeFrame(app);
  const AppWindow& w = app.window;
  EXPECT_EQ(w.pixels[0], kWhite);
  const int64_t stride = w.pitch / 4;
  EXPECT_EQ(w.pixels[649 * stride + 749], kWhite);
  EXPECT_EQ(w.pixels[649 * stride + 750], 0u);  // never touched: zero-filled
  EXPECT_EQ(w.pixels[650 * stride], 0u);
}

TEST_F(ComposeFrameTest, FramesAreCountedOnlyWhileTheCounterShows) {
  ComposeFrame(app);
  ComposeFrame(app);
  EXPECT_EQ(app.fps.frames, 0);
  EXPECT_EQ(FpsText(), L"FPS: ");

  // Switched on after more than 2000 ms: updates on the very first frame,
  // with one frame halved.
  fakeTick += 2001;
  SendMessage(app.window.hwnd, kMsgKeyDown, 'F', 0);
  ComposeFrame(app);
  EXPECT_EQ(FpsText(), L"FPS:  0  " + ThreadsText());
  EXPECT_EQ(app.fps.frames, 0);
  EXPECT_EQ(app.fps.lastTick, fakeTick);
  // The box ends on the text's trailing blanks.
  const int32_t width =
      int32_t(TextWidth(app.fps.text, int32_t(FpsText().size())));
  EXPECT_EQ(PresentedPixel(10 + width - 1, 10), kWhite);
  EXPECT_EQ(PresentedPixel(10 + width, 10), kGrey);
}

TEST_F(ComposeFrameTest, TheCounterUpdatesOnlyAfterMoreThan2000Ms) {
  app.fps.visible = 1;
  app.fps.lastTick = fakeTick;
  for (int i = 0; i < 9; ++i) ComposeFrame(app);
  fakeTick += 2000;
  ComposeFrame(app);  // exactly 2000 ms: not yet
  EXPECT_EQ(app.fps.frames, 10);
  EXPECT_EQ(FpsText(), L"FPS: ");
  fakeTick += 1;
  ComposeFrame(app);
  EXPECT_EQ(FpsText(), L"FPS:  5  " + ThreadsText());  // 11 frames, halved
  EXPECT_EQ(app.fps.frames, 0);
}

TEST_F(ComposeFrameTest, TheCounterTakesTheTickDifferenceAsSigned) {
  app.fps.visible = 1;
  // Across the tick count's wrap: 2304 ms have passed.
  app.fps.lastTick = 0xFFFFFF00u;
  fakeTick = 0x00000800u;
  ComposeFrame(app);
  EXPECT_EQ(app.fps.lastTick, fakeTick);
  // A last update "in the future" (a clock that went back) is no time
  // passed, not four billion milliseconds.
  app.fps.lastTick = fakeTick + 5000;
  ComposeFrame(app);
  ComposeFrame(app);
  EXPECT_EQ(app.fps.frames, 2);
}

using ComposeFrameWithoutBuffer = AppTest;

TEST_F(ComposeFrameWithoutBuffer, DrawsAndPresentsNothing) {
  fakeWindows.display = {0, 0, 0, 0};  // no desktop: no frame buffer
  ASSERT_EQ(StartApplication(app), 1);
  ASSERT_EQ(app.window.pixels, nullptr);
  ASSERT_EQ(InitDemo(app), 0);
  ComposeFrame(app);
  EXPECT_EQ(fakeWindows.presentCount, 0);
}

}  // namespace
