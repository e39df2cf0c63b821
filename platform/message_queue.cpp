// The message queue: a fixed ring of posted messages, topped up from the
// window system's events whenever it runs dry, and a pending quit that is
// handed out only once every other message has been taken.
#include "platform/message_queue.h"

#include "platform/native_window.h"
#include "platform/platform_state.h"

namespace platform {

namespace {

constexpr int32_t kEventBatch = 32;

void PushMessage(MessageQueue& queue, const PlatformMessage& message) {
  queue.ring[(queue.head + queue.count) % kQueueCapacity] = message;
  ++queue.count;
}

// Moves the window system's pending events into the queue, as far as it has
// room; events of windows that no longer exist are dropped.
void ReadWindowSystemEvents(Platform& platform, int32_t wait) {
  MessageQueue& queue = platform.queue;
  NativeEvent events[kEventBatch];
  const int32_t room = kQueueCapacity - queue.count;
  if (room < 2) return;
  const int32_t count =
      NativeReadEvents(wait, events, room < kEventBatch ? room : kEventBatch,
                       &platform.droppedFile);
  for (int32_t i = 0; i < count; ++i) {
    WindowHandle window = WindowFromNative(platform, events[i].window);
    if (window == nullptr) continue;
    PushMessage(queue, {window, events[i].message, events[i].wParam,
                        events[i].lParam});
  }
}

int32_t TakeMessage(MessageQueue& queue, PlatformMessage* message) {
  if (queue.count > 0) {
    *message = queue.ring[queue.head];
    queue.head = (queue.head + 1) % kQueueCapacity;
    --queue.count;
    return 1;
  }
  if (queue.quitPosted) {
    queue.quitPosted = 0;
    *message = {nullptr, kMsgQuit,
                static_cast<uintptr_t>(static_cast<intptr_t>(queue.quitCode)),
                0};
    return 1;
  }
  return 0;
}

}  // namespace

int32_t PeekMessage(Platform& platform, PlatformMessage* message) {
  if (platform.queue.count == 0) ReadWindowSystemEvents(platform, 0);
  return TakeMessage(platform.queue, message);
}

int32_t GetMessage(Platform& platform, PlatformMessage* message) {
  while (!PeekMessage(platform, message)) ReadWindowSystemEvents(platform, 1);
  return message->message == kMsgQuit ? 0 : 1;
}

void TranslateMessage(const PlatformMessage*) {}

intptr_t DispatchMessage(const PlatformMessage* message) {
  return SendMessage(message->window, message->message, message->wParam,
                     message->lParam);
}

intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                     intptr_t lParam) {
  if (!IsLiveWindow(window) || window->procedure == nullptr) return 0;
  return window->procedure(window->context, window, message, wParam, lParam);
}

int32_t PostMessage(Platform& platform, WindowHandle window, uint32_t message,
                    uintptr_t wParam, intptr_t lParam) {
  if (platform.queue.count == kQueueCapacity) return 0;
  PushMessage(platform.queue, {window, message, wParam, lParam});
  return 1;
}

void PostQuitMessage(Platform& platform, int32_t exitCode) {
  platform.queue.quitPosted = 1;
  platform.queue.quitCode = exitCode;
}

intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t,
                       intptr_t) {
  if (message == kMsgPaint) {
    SendMessage(window, kMsgEraseBackground, 0, 0);
  } else if (message == kMsgClose) {
    DestroyWindow(window);
  }
  return 0;
}

}  // namespace platform
