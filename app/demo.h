#pragma once
// The demo's driver: its start-up, and the idle tick that renders a frame on
// every pass of the message loop and steps the animation on a fixed time
// step of more than 20 ms.
#include <cstdint>

extern uint32_t lastAnimationTick;
extern int32_t rotationPaused;
extern int32_t textureScrollPaused;

// Loads the images, builds the model and its one object, sets the
// projection and viewport from the client area and allocates the render
// buffers. Returns 0.
int32_t InitDemo();

// Renders and presents a frame; advances the animation by one step when
// more than 20 ms have passed since the last step. Returns 0.
int32_t IdleTick();
