#pragma once
// Window messages: what happens to a window (created, moved, sized,
// painted, closed, destroyed), a key pressed, the mouse moved or clicked, a
// file dropped on it, each as a message number with two parameters. Keys
// arrive as virtual-key codes, one number per key whatever the keyboard's
// layout or Num Lock. A window procedure receives the messages of its window.
#include <cstdint>

namespace platform {

struct PlatformWindow;                 // opaque; owned by the window system
using WindowHandle = PlatformWindow*;  // null: no window

// Message numbers.
constexpr uint32_t kMsgCreate = 0x0001;
constexpr uint32_t kMsgDestroy = 0x0002;
constexpr uint32_t kMsgMove = 0x0003;
constexpr uint32_t kMsgSize = 0x0005;
constexpr uint32_t kMsgPaint = 0x000F;
constexpr uint32_t kMsgClose = 0x0010;
constexpr uint32_t kMsgQuit = 0x0012;
constexpr uint32_t kMsgEraseBackground = 0x0014;
constexpr uint32_t kMsgKeyDown = 0x0100;
constexpr uint32_t kMsgMouseMove = 0x0200;
constexpr uint32_t kMsgLeftButtonDown = 0x0201;
constexpr uint32_t kMsgLeftButtonUp = 0x0202;
constexpr uint32_t kMsgSizing = 0x0214;
constexpr uint32_t kMsgDropFiles = 0x0233;  // the path: TakeDroppedFile()

// Virtual-key codes. Letters are 'A'..'Z' (0x41..0x5A) and the digit row
// '0'..'9' (0x30..0x39), as their upper-case characters.
constexpr uint32_t kKeyBackspace = 0x08;
constexpr uint32_t kKeyTab = 0x09;
constexpr uint32_t kKeyReturn = 0x0D;
constexpr uint32_t kKeyEscape = 0x1B;
constexpr uint32_t kKeySpace = 0x20;
constexpr uint32_t kKeyPageUp = 0x21;
constexpr uint32_t kKeyPageDown = 0x22;
constexpr uint32_t kKeyEnd = 0x23;
constexpr uint32_t kKeyHome = 0x24;
constexpr uint32_t kKeyLeft = 0x25;
constexpr uint32_t kKeyUp = 0x26;
constexpr uint32_t kKeyRight = 0x27;
constexpr uint32_t kKeyDown = 0x28;
constexpr uint32_t kKeyInsert = 0x2D;
constexpr uint32_t kKeyDelete = 0x2E;
constexpr uint32_t kKeyPad0 = 0x60;  // keypad digits are 0x60..0x69
constexpr uint32_t kKeyPadMultiply = 0x6A;
constexpr uint32_t kKeyPadAdd = 0x6B;
constexpr uint32_t kKeyPadSubtract = 0x6D;
constexpr uint32_t kKeyPadDecimal = 0x6E;
constexpr uint32_t kKeyPadDivide = 0x6F;
constexpr uint32_t kKeyF1 = 0x70;  // function keys are 0x70..0x7B

// Mouse-message key state in wParam: the left button is down.
constexpr uintptr_t kMouseLeftButtonFlag = 0x0001;

// One window message.
struct PlatformMessage {
  WindowHandle window;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};

// A window procedure: receives every message sent or dispatched to a window
// of its class, with the context its window was created with.
using WindowProcedure = intptr_t (*)(void* context, WindowHandle window,
                                     uint32_t message, uintptr_t wParam,
                                     intptr_t lParam);

// Packs client coordinates into a mouse message's lParam: x in the low 16
// bits, y in the next 16, each as its 16-bit two's complement.
constexpr intptr_t PackCursorPosition(int32_t x, int32_t y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFFu) << 16 |
                               (static_cast<uint32_t>(x) & 0xFFFFu));
}

}  // namespace platform
