#pragma once
// The frame buffer and each frame's composition: clear, scene, help text,
// FPS counter, copy to the window, white fill.
#include <cstdint>

#include "app/app.h"

namespace app {

constexpr int32_t kHelpLineCount = 6;
constexpr int32_t kHelpLineSlot = 40;

// The help overlay, one line per slot, drawn top to bottom.
extern const wchar_t kHelpLines[kHelpLineCount][kHelpLineSlot];

// Creates the desktop-sized frame buffer (zero-filled, rows top-down,
// 0x00RRGGBB) and the memory context that draws into it, releasing any
// earlier ones.
void CreateFrameBuffer(App& app);

// Releases the frame buffer and its memory context.
void ReleaseFrameBuffer(AppWindow& window);

// Renders and presents one frame.
void ComposeFrame(App& app);

}  // namespace app
