#pragma once
// Keyboard and mouse controls, and the projection centre and viewport that
// follow the client area.
#include <cstdint>

#include "app/app.h"
#include "platform/window_messages.h"

namespace app {

// The application's handler for every message WindowProc passes on.
// Always returns 0, so default processing follows.
int32_t HandleAppMessage(App& app, platform::WindowHandle window,
                         uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace app
