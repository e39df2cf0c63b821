#pragma once
// The one file that holds every frame of a run, WebP or GIF, kept under a
// temporary name until its last frame is in.
#include <cstdint>
#include <string>

#include "tools/render_scene/gif_animation.h"
#include "tools/render_scene/image_writers.h"
#include "tools/render_scene/webp_animation.h"

struct AnimationOutput {
  ImageFormat format;  // kWebp or kGif; kNone when the run writes none
  std::string finalName;
  std::string temporary;
  WebpAnimation webp;
  GifAnimation gif;
};

// Starts the animation `name` of width x height frames. With any format
// but WebP and GIF it does nothing and succeeds. Returns 0 when the file
// cannot be started.
int32_t BeginAnimation(AnimationOutput* animation, ImageFormat format,
                       const std::string& name, int32_t width, int32_t height,
                       int32_t delayMs);

int32_t AddAnimationFrame(AnimationOutput* animation, const PixelRect& frame);

// Completes the file and gives it its final name. Returns 1 when it stands
// complete (or when there is no animation).
int32_t FinishAnimation(AnimationOutput* animation);

// Drops the animation and removes its temporary file.
void AbandonAnimation(AnimationOutput* animation);
