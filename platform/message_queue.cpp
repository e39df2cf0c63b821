// The message queue: a fixed ring of posted messages, topped up from the
// window system's events whenever it runs dry, and a pending quit that is
// handed out only once every other message has been taken.
#include "platform/message_queue.h"

#include "platform/native_window.h"

namespace {

constexpr int32_t kQueueCapacity = 256;
constexpr int32_t kEventBatch = 32;

PlatformMessage queue[kQueueCapacity];
int32_t queueHead = 0;
int32_t queueCount = 0;
int32_t quitPosted = 0;
int32_t quitCode = 0;

void PushMessage(const PlatformMessage& message) {
  queue[(queueHead + queueCount) % kQueueCapacity] = message;
  ++queueCount;
}

// Moves the window system's pending events into the queue, as far as it has
// room; events of windows that no longer exist are dropped.
void ReadWindowSystemEvents(int32_t wait) {
  NativeEvent events[kEventBatch];
  const int32_t room = kQueueCapacity - queueCount;
  if (room < 2) return;
  const int32_t count =
      NativeReadEvents(wait, events, room < kEventBatch ? room : kEventBatch);
  for (int32_t i = 0; i < count; ++i) {
    WindowHandle window = WindowFromNative(events[i].window);
    if (window == nullptr) continue;
    PushMessage(
        {window, events[i].message, events[i].wParam, events[i].lParam});
  }
}

int32_t TakeMessage(PlatformMessage* message) {
  if (queueCount > 0) {
    *message = queue[queueHead];
    queueHead = (queueHead + 1) % kQueueCapacity;
    --queueCount;
    return 1;
  }
  if (quitPosted) {
    quitPosted = 0;
    *message = {nullptr, kMsgQuit,
                static_cast<uintptr_t>(static_cast<intptr_t>(quitCode)), 0};
    return 1;
  }
  return 0;
}

}  // namespace

int32_t PeekMessage(PlatformMessage* message) {
  if (queueCount == 0) ReadWindowSystemEvents(0);
  return TakeMessage(message);
}

int32_t GetMessage(PlatformMessage* message) {
  while (!PeekMessage(message)) ReadWindowSystemEvents(1);
  return message->message == kMsgQuit ? 0 : 1;
}

void TranslateMessage(const PlatformMessage*) {}

intptr_t DispatchMessage(const PlatformMessage* message) {
  return SendMessage(message->window, message->message, message->wParam,
                     message->lParam);
}

intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                     intptr_t lParam) {
  WindowProcedure procedure = WindowProcedureOf(window);
  return procedure ? procedure(window, message, wParam, lParam) : 0;
}

int32_t PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                    intptr_t lParam) {
  if (queueCount == kQueueCapacity) return 0;
  PushMessage({window, message, wParam, lParam});
  return 1;
}

void PostQuitMessage(int32_t exitCode) {
  quitPosted = 1;
  quitCode = exitCode;
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

void ResetMessageQueue() {
  queueHead = 0;
  queueCount = 0;
  quitPosted = 0;
  quitCode = 0;
}
