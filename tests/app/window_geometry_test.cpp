// Window geometry: halves by shift, the client area in screen coordinates
// clamped to the desktop with its true centre kept, and the projection that
// follows it.
#include "app/window_geometry.h"

#include <gtest/gtest.h>

#include "app/controls.h"
#include "platform/message_queue.h"
#include "tests/app/app_fixture.h"

namespace {

using WindowGeometry = AppTest;

TEST_F(WindowGeometry, SizesAndCentresHalveByArithmeticShift) {
  StartDemo();
  fakeWindows.display = {-1921, -7, 0, 1074};
  // A frame whose right edge lies left of its left edge: width -5.
  fakeWindows.client = {100, 100, 95, 301};
  UpdateWindowMetrics();
  const AppWindow& w = *appWindow;
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

TEST_F(WindowGeometry, WindowPartlyOffLeftAndTopKeepsItsTrueCentre) {
  StartDemo();
  fakeWindows.client = {-100, -40, 650, 560};
  SendMessage(appWindow->hwnd, kMsgMove, 0, 0);
  const AppWindow& w = *appWindow;
  EXPECT_EQ(w.windowRect.right, 1920);  // windowRect holds the desktop
  EXPECT_EQ(w.clientRect.left, 0);
  EXPECT_EQ(w.clientRect.top, 0);
  EXPECT_EQ(w.clientRect.right, 650);
  EXPECT_EQ(w.clientRect.bottom, 560);
  EXPECT_EQ(w.clientCentre.x, 275);
  EXPECT_EQ(w.clientCentre.y, 260);
  EXPECT_EQ(appScene.view.centreX, 275.0);
  EXPECT_EQ(appScene.view.centreY, 260.0);
  EXPECT_EQ(appScene.view.viewportRight, 650);
  EXPECT_EQ(appScene.view.viewportBottom, 560);
}

TEST_F(WindowGeometry, WindowPartlyOffRightAndBottom) {
  StartDemo();
  fakeWindows.client = {1500, 800, 2251, 1401};
  SendMessage(appWindow->hwnd, kMsgSize, 0, 0);
  const AppWindow& w = *appWindow;
  EXPECT_EQ(w.clientRect.left, 1500);
  EXPECT_EQ(w.clientRect.right, 1920);
  EXPECT_EQ(w.clientRect.bottom, 1080);
  EXPECT_EQ(w.clientCentre.x, 1500 + 375);
  EXPECT_EQ(w.clientCentre.y, 800 + 300);
  EXPECT_EQ(appScene.view.centreX, 375.0);
  EXPECT_EQ(appScene.view.viewportRight, 420);
  EXPECT_EQ(appScene.view.viewportBottom, 280);
}

TEST_F(WindowGeometry, SizingAloneUpdatesOnlyTheMetrics) {
  StartDemo();
  const int32_t viewportRight = appScene.view.viewportRight;
  fakeWindows.client = {50, 50, 3050, 2050};  // larger than the desktop
  SendMessage(appWindow->hwnd, kMsgSizing, 0, 0);
  EXPECT_EQ(appWindow->clientRect.right, 3000);  // client coordinates
  EXPECT_EQ(appWindow->clientRect.left, 0);
  EXPECT_EQ(appScene.view.viewportRight, viewportRight);
  // A frame composed now still stays inside the buffer.
  IdleTick();
  EXPECT_EQ(fakeWindows.presentedWidth, 1920);
}

TEST_F(WindowGeometry, QueriesWithoutHandlesLeaveTheFieldsAsTheyWere) {
  // As during window creation, before hwnd and the desktop handle are kept.
  appWindow->desktopRect = {1, 2, 3, 4};
  appWindow->clientRect = {5, 6, 7, 8};
  UpdateWindowMetrics();
  EXPECT_EQ(appWindow->desktopRect.right, 3);
  EXPECT_EQ(appWindow->windowRect.right, 750);
  EXPECT_EQ(appWindow->clientRect.left, 5);
  EXPECT_EQ(appWindow->desktopSize.x, 2);
}

TEST_F(WindowGeometry, TheFirstShowingSizesTheFrameBufferFromTheDesktop) {
  ASSERT_EQ(StartApplication(), 1);
  EXPECT_EQ(appWindow->desktopSize.x, 1920);
  EXPECT_EQ(appWindow->frameBufferSize.x, 1920);
  EXPECT_EQ(appWindow->frameBufferSize.y, 1080);
  EXPECT_EQ(appWindow->pitch, 1920 * 4);
  EXPECT_EQ(appWindow->windowSize.x, 750);
  EXPECT_EQ(appWindow->windowSize.y, 650);
}

TEST_F(WindowGeometry, PitchKeepsTheBuffersRowsWhenTheDesktopGrows) {
  StartDemo();
  fakeWindows.display = {0, 0, 3840, 2160};
  SendMessage(appWindow->hwnd, kMsgMove, 0, 0);
  EXPECT_EQ(appWindow->desktopSize.x, 3840);
  EXPECT_EQ(appWindow->pitch, 1920 * 4);
  IdleTick();
  EXPECT_EQ(fakeWindows.presentCount, 1);
}

}  // namespace
