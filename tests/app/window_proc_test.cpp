// WindowProc's routing and the program's start-up and ending as a whole.
#include "app/window_proc.h"

#include <gtest/gtest.h>

#include "platform/message_queue.h"
#include "platform/window_system.h"
#include "tests/app/app_fixture.h"

namespace {

using WindowProcTest = AppTest;

TEST_F(WindowProcTest, EraseBackgroundBeforeRunningDrawsNothingAndIsHandled) {
  ASSERT_EQ(StartApplication(app), 1);
  ASSERT_EQ(InitDemo(app), 0);
  const uint32_t stepTick = app.lastAnimationTick;
  fakeTick += 100;
  EXPECT_EQ(WindowProc(app, app.window.hwnd, kMsgEraseBackground, 0, 0), 0);
  EXPECT_EQ(fakeWindows.presentCount, 0);
  EXPECT_EQ(app.lastAnimationTick, stepTick);

  app.window.running = 1;
  EXPECT_EQ(WindowProc(app, app.window.hwnd, kMsgEraseBackground, 0, 0), 0);
  EXPECT_EQ(fakeWindows.presentCount, 1);
}

TEST_F(WindowProcTest, ExposureRendersThroughPaintAndEraseBackground) {
  StartDemo();
  QueueEvent(kMsgPaint);
  PlatformMessage message;
  ASSERT_TRUE(PeekMessage(app.platform, &message));
  DispatchMessage(&message);
  EXPECT_EQ(fakeWindows.presentCount, 1);
}

TEST_F(WindowProcTest, FTogglesTheCounterAndStillReachesTheHandler) {
  StartDemo();
  EXPECT_EQ(WindowProc(app, app.window.hwnd, kMsgKeyDown, 'F', 0), 0);
  EXPECT_EQ(app.fps.visible, 1);
  WindowProc(app, app.window.hwnd, kMsgKeyDown, 'F', 0);
  EXPECT_EQ(app.fps.visible, 0);
}

TEST_F(WindowProcTest, ClosingDestroysOnceAndTheProgramEndsWithZero) {
  QueueEvent(kMsgClose);
  EXPECT_EQ(RunApplication(app), 0);
  EXPECT_EQ(fakeWindows.windowsDestroyed, 1);
  EXPECT_EQ(GetDC(app.window.hwnd), nullptr);  // the window is gone
  EXPECT_EQ(app.window.windowDc, nullptr);     // released at tear-down
}

TEST_F(WindowProcTest, EscapeEndsTheLoopWithZeroWithoutDestroying) {
  QueueEvent(kMsgKeyDown, 0x1B);
  EXPECT_EQ(RunApplication(app), 0);
  EXPECT_EQ(fakeWindows.windowsDestroyed, 0);
  EXPECT_GE(fakeWindows.presentCount, 1);
}

TEST_F(WindowProcTest, TheLoopReturnsTheQuitMessagesCode) {
  StartDemo();
  PostQuitMessage(app.platform, 3);
  EXPECT_EQ(RunMessageLoop(app), 3);
}

TEST_F(WindowProcTest, NoWindowSystemMeansABoxAnErrorLineAndAFailure) {
  fakeWindows.videoFails = 1;
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunApplication(app), kStartupFailedStatus);
  const std::string error = testing::internal::GetCapturedStderr();
  EXPECT_EQ(error, "Register class failed: no display (fake)\n");
  ASSERT_EQ(fakeWindows.messageBoxTexts.size(), 1u);
  EXPECT_EQ(fakeWindows.messageBoxTexts[0], "Register class failed");
  EXPECT_EQ(fakeWindows.messageBoxCaptions[0], "RC FAILED");
  EXPECT_EQ(fakeWindows.windowsCreated, 0);
}

TEST_F(WindowProcTest, AWindowThatCannotBeCreatedIsAFailure) {
  fakeWindows.createFails = 1;
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunApplication(app), kStartupFailedStatus);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Create window failed\n");
  ASSERT_EQ(fakeWindows.messageBoxTexts.size(), 1u);
  EXPECT_EQ(fakeWindows.messageBoxTexts[0], "Create window failed");
  EXPECT_EQ(fakeWindows.messageBoxCaptions[0], "CW FAILED");
}

}  // namespace
