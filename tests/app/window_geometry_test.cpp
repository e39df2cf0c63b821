// Window geometry: halves by shift, the client area in screen coordinates
// clamped to the desktop with its true centre kept, and the projection that
// follows it.
#include "app/window_geometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/controls.h"
#include "platform/message_queue.h"
#include "tests/app/app_fixture.h"

namespace {

using WindowGeometry = AppTest;

// The client area of a window at (-100, -40) to (650, 560) on the 1920 x
// 1080 desktop: cut at the desktop's edges, its centre still the true one.
void ExpectClampedOffLeftAndTop(const App& app) {
  const AppWindow& w = app.window;
  EXPECT_EQ(w.windowRect.right, 1920);  // windowRect holds the desktop
  EXPECT_EQ(w.clientRect.left, 0);
  EXPECT_EQ(w.clientRect.top, 0);
  EXPECT_EQ(w.clientRect.right, 650);
  EXPECT_EQ(w.clientRect.bottom, 560);
  EXPECT_EQ(w.clientCentre.x, 275);
  EXPECT_EQ(w.clientCentre.y, 260);
  EXPECT_EQ(app.scene.view.centreX, 275.0);
  EXPECT_EQ(app.scene.view.centreY, 260.0);
  EXPECT_EQ(app.scene.view.viewportRight, 650);
  EXPECT_EQ(app.scene.view.viewportBottom, 560);
}

TEST_F(WindowGeometry, SizesAndCentresHalveByArithmeticShift) {
  StartDemo();
  fakeWindows.display = {-1921, -7, 0, 1074};
  // A frame whose right edge lies left of its left edge: width -5.
  fakeWindows.client = {100, 100, 95, 301};
  UpdateWindowMetrics(app);
  const AppWindow& w = app.window;
  EXPECT_EQ(w.desktopSize.x, 1921);
  EXPECT_EQ(w.desktopSize.y, 1081);
  EXPECT_EQ(w.desktopCentre.x, -1921 + 960);
  EXPECT_EQ(w.desktopCentre.y, -7 + 540);
  EXPECT_EQ(w.windowSize.x, -5);
  EXPECT_EQ(w.windowCentre.x, 100 - 3);  // -5 >> 1 is -3, not -2
  EXPECT_EQ(w.windowCentre.y, 100 + 100);
  // The client centre carries no offset in this update.
  EXPECT_EQ(w.clientCentre.x, -3);
  EXPECT_EQ(w.clientCentre.y, 100);
  EXPECT_EQ(w.dcOrigin.x, 100);
}

// After a move, and after a resize from outside, which reaches the window
// as size, sizing, size (see platform/sdl_events.cpp).
TEST_F(WindowGeometry, WindowPartlyOffLeftAndTopKeepsItsTrueCentre) {
  const std::vector<uint32_t> moved = {kMsgMove};
  const std::vector<uint32_t> resized = {kMsgSize, kMsgSizing, kMsgSize};
  for (const std::vector<uint32_t>& messages : {moved, resized}) {
    SCOPED_TRACE(messages.size());
    StartDemo();
    fakeWindows.client = {-100, -40, 650, 560};
    for (uint32_t message : messages) {
      SendMessage(app.window.hwnd, message, 0, 0);
    }
    ExpectClampedOffLeftAndTop(app);
  }
}

TEST_F(WindowGeometry, WindowPartlyOffRightAndBottom) {
  StartDemo();
  app.scene.view.focalLength = 555;  // as Z and X leave it
  app.scene.view.nearZ = 7;          // as an opened scene file sets it
  fakeWindows.client = {1500, 800, 2251, 1401};
  SendMessage(app.window.hwnd, kMsgSize, 0, 0);
  // The projection follows the client area; the camera stays.
  EXPECT_EQ(app.scene.view.focalLength, 555);
  EXPECT_EQ(app.scene.view.nearZ, 7);
  const AppWindow& w = app.window;
  EXPECT_EQ(w.clientRect.left, 1500);
  EXPECT_EQ(w.clientRect.right, 1920);
  EXPECT_EQ(w.clientRect.bottom, 1080);
  EXPECT_EQ(w.clientCentre.x, 1500 + 375);
  EXPECT_EQ(w.clientCentre.y, 800 + 300);
  EXPECT_EQ(app.scene.view.centreX, 375.0);
  EXPECT_EQ(app.scene.view.viewportRight, 420);
  EXPECT_EQ(app.scene.view.viewportBottom, 280);
}

TEST_F(WindowGeometry, SizingAloneUpdatesOnlyTheMetrics) {
  StartDemo();
  const int32_t viewportRight = app.scene.view.viewportRight;
  fakeWindows.client = {50, 50, 3050, 2050};  // larger than the desktop
  SendMessage(app.window.hwnd, kMsgSizing, 0, 0);
  EXPECT_EQ(app.window.clientRect.right, 3000);  // client coordinates
  EXPECT_EQ(app.window.clientRect.left, 0);
  EXPECT_EQ(app.scene.view.viewportRight, viewportRight);
  // A frame composed now still stays inside the buffer.
  IdleTick(app);
  EXPECT_EQ(fakeWindows.presentedWidth, 1920);
}

TEST_F(WindowGeometry, QueriesWithoutHandlesLeaveTheFieldsAsTheyWere) {
  // As during window creation, before hwnd and the desktop handle are kept.
  app.window.desktopRect = {1, 2, 3, 4};
  app.window.clientRect = {5, 6, 7, 8};
  UpdateWindowMetrics(app);
  EXPECT_EQ(app.window.desktopRect.right, 3);
  EXPECT_EQ(app.window.windowRect.right, 750);
  EXPECT_EQ(app.window.clientRect.left, 5);
  EXPECT_EQ(app.window.desktopSize.x, 2);
}

TEST_F(WindowGeometry, TheFirstShowingSizesTheFrameBufferFromTheDesktop) {
  ASSERT_EQ(StartApplication(app), 1);
  EXPECT_EQ(app.window.desktopSize.x, 1920);
  EXPECT_EQ(app.window.frameBufferSize.x, 1920);
  EXPECT_EQ(app.window.frameBufferSize.y, 1080);
  EXPECT_EQ(app.window.pitch, 1920 * 4);
  EXPECT_EQ(app.window.windowSize.x, 750);
  EXPECT_EQ(app.window.windowSize.y, 650);
}

TEST_F(WindowGeometry, PitchKeepsTheBuffersRowsWhenTheDesktopGrows) {
  StartDemo();
  fakeWindows.display = {0, 0, 3840, 2160};
  SendMessage(app.window.hwnd, kMsgMove, 0, 0);
  EXPECT_EQ(app.window.desktopSize.x, 3840);
  EXPECT_EQ(app.window.pitch, 1920 * 4);
  IdleTick(app);
  EXPECT_EQ(fakeWindows.presentCount, 1);
}

}  // namespace
