#pragma once
// The window procedure of class "MyClass": keeps the geometry current,
// handles destroy, close, erase-background and the F key itself, and passes
// the rest to the application handler.
#include <cstdint>

#include "platform/window_messages.h"

intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                    intptr_t lParam);
