#pragma once
// A lossless animated WebP built frame by frame in memory with libwebp's
// animation encoder, then written in one go.
#include <webp/encode.h>
#include <webp/mux.h>

#include <cstdint>

#include "tools/render_scene/image_writers.h"

struct WebpAnimation {
  WebPAnimEncoder* encoder;
  WebPConfig config;
  int32_t delayMs;
  int32_t frames;
};

// Starts an animation of width x height frames, each shown `delayMs`,
// looping forever. Returns 0 when the encoder cannot be made.
int32_t BeginWebpAnimation(WebpAnimation* animation, int32_t width,
                           int32_t height, int32_t delayMs);

// Adds the next frame (its size that of the animation). Returns 1 when the
// encoder took it.
int32_t AddWebpFrame(WebpAnimation* animation, const PixelRect& frame);

// Closes the animation, writes the file and releases the encoder. Returns 1
// when the whole file was written.
int32_t FinishWebpAnimation(WebpAnimation* animation, const char* fileName);

// Releases the encoder without writing anything.
void DropWebpAnimation(WebpAnimation* animation);
