#pragma once
// The window procedure of class "MyClass": keeps the geometry current,
// handles destroy, close, erase-background and the F key itself, and passes
// the rest to the application handler.
#include <cstdint>

#include "app/app.h"
#include "platform/window_messages.h"

namespace app {

intptr_t WindowProc(App& app, platform::WindowHandle window, uint32_t message,
                    uintptr_t wParam, intptr_t lParam);

// The procedure the class is registered with: WindowProc with the
// application record the window was created with as its context.
intptr_t AppWindowProcedure(void* context, platform::WindowHandle window,
                            uint32_t message, uintptr_t wParam,
                            intptr_t lParam);

}  // namespace app
