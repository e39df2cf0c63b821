// The window system's message semantics that the shell relies on: what
// creation and showing send, what default processing does, when the quit
// message comes, and that a destroyed window is destroyed once.
#include "platform/message_queue.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/platform.h"
#include "platform/window_system.h"
#include "tests/app/fake_window_system.h"

namespace {

using namespace platform;

// The messages a window received, in order: its procedure's context.
using Received = std::vector<uint32_t>;

intptr_t RecordingProc(void* context, WindowHandle window, uint32_t message,
                       uintptr_t wParam, intptr_t lParam) {
  static_cast<Received*>(context)->push_back(message);
  return DefWindowProc(window, message, wParam, lParam);
}

class MessageQueueTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetFakes();
    const WindowClass windowClass = {3, RecordingProc, GetModuleHandle(),
                                     L"TestClass"};
    ASSERT_NE(RegisterClass(*platform, &windowClass), 0u);
    window = CreateWindowEx(*platform, 0, L"TestClass", L"Test", 0, 50, 50,
                            750, 650, GetModuleHandle(), &received);
    ASSERT_NE(window, nullptr);
  }
  PlatformPtr platform = MakePlatform();
  Received received;
  WindowHandle window = nullptr;
};

TEST_F(MessageQueueTest, CreationSendsCreateSizeMoveAndFirstShowingSizeMove) {
  EXPECT_EQ(received, (std::vector<uint32_t>{kMsgCreate, kMsgSize, kMsgMove}));
  received.clear();
  ShowWindow(window);
  ShowWindow(window);
  EXPECT_EQ(received, (std::vector<uint32_t>{kMsgSize, kMsgMove}));
}

TEST_F(MessageQueueTest, QuitComesOnlyAfterWaitingMessagesAndCarriesItsCode) {
  PostQuitMessage(*platform, 7);
  QueueEvent(kMsgKeyDown, 'P');
  PlatformMessage message;
  ASSERT_TRUE(PeekMessage(*platform, &message));
  EXPECT_EQ(message.message, kMsgKeyDown);
  EXPECT_EQ(message.window, window);
  ASSERT_TRUE(PeekMessage(*platform, &message));
  EXPECT_EQ(message.message, kMsgQuit);
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_FALSE(PeekMessage(*platform, &message));
}

TEST_F(MessageQueueTest, TwoPlatformRecordsShareNothing) {
  const PlatformPtr other = MakePlatform();
  PostQuitMessage(*other, 5);
  PlatformMessage message;
  EXPECT_FALSE(PeekMessage(*platform, &message));
  ASSERT_TRUE(PeekMessage(*other, &message));
  EXPECT_EQ(message.wParam, 5u);
  // The other record has no window of this one's, nor any class.
  QueueEvent(kMsgPaint);
  EXPECT_FALSE(PeekMessage(*other, &message));
  EXPECT_EQ(CreateWindowEx(*other, 0, L"TestClass", L"Test", 0, 0, 0, 10, 10,
                           GetModuleHandle(), &received),
            nullptr);
}

TEST_F(MessageQueueTest, GetMessageReportsTheQuitMessageAsZero) {
  QueueEvent(kMsgMouseMove);
  PostQuitMessage(*platform, 0);
  PlatformMessage message;
  EXPECT_EQ(GetMessage(*platform, &message), 1);
  EXPECT_EQ(GetMessage(*platform, &message), 0);
  EXPECT_EQ(message.message, kMsgQuit);
}

TEST_F(MessageQueueTest, EventsOfAnUnknownNativeWindowAreDropped) {
  int other;
  fakeWindows.events.push_back(
      {reinterpret_cast<NativeWindow*>(&other), kMsgPaint, 0, 0});
  PlatformMessage message;
  EXPECT_FALSE(PeekMessage(*platform, &message));
}

TEST_F(MessageQueueTest, PaintingSendsEraseBackgroundThroughDefaultProcessing) {
  received.clear();
  SendMessage(window, kMsgPaint, 0, 0);
  EXPECT_EQ(received, (std::vector<uint32_t>{kMsgPaint, kMsgEraseBackground}));
}

TEST_F(MessageQueueTest, ClosingDestroysOnceAndTheDeadWindowGetsNothing) {
  received.clear();
  SendMessage(window, kMsgClose, 0, 0);
  EXPECT_EQ(received, (std::vector<uint32_t>{kMsgClose, kMsgDestroy}));
  EXPECT_EQ(fakeWindows.windowsDestroyed, 1);
  EXPECT_EQ(DestroyWindow(window), 0);
  EXPECT_EQ(fakeWindows.windowsDestroyed, 1);

  received.clear();
  const PlatformMessage late = {window, kMsgPaint, 0, 0};
  EXPECT_EQ(DispatchMessage(&late), 0);
  EXPECT_TRUE(received.empty());
  PlatformRect rect = {1, 2, 3, 4};
  EXPECT_EQ(GetWindowRect(*platform, window, &rect), 0);
  EXPECT_EQ(rect.right, 3);
  EXPECT_EQ(GetDC(window), nullptr);
}

TEST_F(MessageQueueTest, GeometryComesFromTheDisplayAndTheClientArea) {
  fakeWindows.client = {-100, 20, 650, 620};
  fakeWindows.frameLeft = fakeWindows.frameRight = 2;
  fakeWindows.frameTop = 30;
  PlatformRect rect;
  ASSERT_TRUE(GetWindowRect(*platform, window, &rect));
  EXPECT_EQ(rect.left, -102);
  EXPECT_EQ(rect.top, -10);
  EXPECT_EQ(rect.right, 652);
  ASSERT_TRUE(GetClientRect(window, &rect));
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.right, 750);
  EXPECT_EQ(rect.bottom, 600);
  PlatformPoint origin;
  ASSERT_TRUE(GetDCOrgEx(GetDC(window), &origin));
  EXPECT_EQ(origin.x, -100);
  EXPECT_EQ(origin.y, 20);
  ASSERT_TRUE(GetWindowRect(*platform, GetDesktopWindow(*platform), &rect));
  EXPECT_EQ(rect.right, 1920);
  EXPECT_FALSE(GetWindowRect(*platform, nullptr, &rect));
}

}  // namespace
