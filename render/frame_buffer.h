#pragma once
// The frame buffer's pixel memory and its clear, shared by the desktop
// program and the headless tool. Pixels are 0x00RRGGBB, rows top-down.
#include <cstdint>

#include "render/frame_target.h"

constexpr uint32_t kBackgroundColour = 0x787878u;

// Allocates a zero-filled width x height buffer; returns null for sizes
// that are not positive. Release it with ReleaseFrameBufferPixels.
uint32_t* AllocateFrameBufferPixels(int32_t width, int32_t height);

void ReleaseFrameBufferPixels(uint32_t* pixels);

// Fills rows 0..lastRow and columns 0..lastColumn with the background grey,
// kept inside the bound frame buffer (frame.bufferSize). Negative bounds
// write nothing.
void ClearFrame(int32_t lastRow, int32_t lastColumn);
