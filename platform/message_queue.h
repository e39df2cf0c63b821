#pragma once
// The thread's message queue: events of the window system become posted
// messages, taken one at a time and dispatched to the window procedures.
#include <cstdint>

#include "platform/platform.h"
#include "platform/window_messages.h"

namespace platform {

// Takes at most one message without waiting. Returns 1 and fills `message`
// when one was taken. The quit message comes only once no other message is
// waiting.
int32_t PeekMessage(Platform& platform, PlatformMessage* message);

// Waits for a message. Returns 0 for the quit message, 1 for any other.
int32_t GetMessage(Platform& platform, PlatformMessage* message);

// Nothing to translate: key-down messages already carry their key code.
void TranslateMessage(const PlatformMessage* message);

// Hands a message to its window's procedure; returns the procedure's result
// (0 for a window that no longer exists).
intptr_t DispatchMessage(const PlatformMessage* message);

// Calls the window's procedure at once.
intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                     intptr_t lParam);

// Appends a message to the queue. Returns 0 when the queue is full.
int32_t PostMessage(Platform& platform, WindowHandle window, uint32_t message,
                    uintptr_t wParam, intptr_t lParam);

// Makes a later PeekMessage or GetMessage return the quit message carrying
// `exitCode` in wParam.
void PostQuitMessage(Platform& platform, int32_t exitCode);

// Default processing: painting erases the background (the erase-background
// message is sent), closing destroys the window; everything else is ignored.
intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);

}  // namespace platform
