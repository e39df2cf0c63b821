#pragma once
// The frame buffer and each frame's composition: clear, scene, help text,
// FPS counter, copy to the window, white fill.
#include <cstdint>

constexpr int32_t kHelpLineCount = 6;
constexpr int32_t kHelpLineSlot = 40;

// The help overlay, one line per slot, drawn top to bottom.
extern const wchar_t kHelpLines[kHelpLineCount][kHelpLineSlot];

// Whether the help overlay is drawn; starts at 1.
extern int32_t helpVisible;

// Creates the desktop-sized frame buffer (zero-filled, rows top-down,
// 0x00RRGGBB) and the memory context that draws into it.
void CreateFrameBuffer();

// Renders and presents one frame.
void ComposeFrame();
