#pragma once
// Keyboard and mouse controls, and the projection centre and viewport that
// follow the client area.
#include <cstdint>

#include "platform/window_messages.h"
#include "app/app_window.h"

extern int32_t selectedObject;
extern int32_t dragging;
extern IntPoint dragLast;

// The application's handler for every message WindowProc passes on.
// Always returns 0, so default processing follows.
int32_t HandleAppMessage(uint32_t message, intptr_t lParam, uintptr_t wParam,
                         WindowHandle window);
