#include "tools/render_scene/animation_output.h"

#include "tools/render_scene/safe_file.h"

int32_t BeginAnimation(AnimationOutput* animation, ImageFormat format,
                       const std::string& name, int32_t width, int32_t height,
                       int32_t delayMs) {
  animation->format = IsAnimatedFormat(format) ? format : ImageFormat::kNone;
  animation->finalName = name;
  animation->temporary = TemporaryNameFor(name);
  int32_t started = 1;
  if (animation->format == ImageFormat::kWebp) {
    started = BeginWebpAnimation(&animation->webp, width, height, delayMs);
  } else if (animation->format == ImageFormat::kGif) {
    started = BeginGifAnimation(&animation->gif, animation->temporary.c_str(),
                                width, height, delayMs);
  }
  if (!started) AbandonAnimation(animation);
  return started;
}

int32_t AddAnimationFrame(AnimationOutput* animation, const PixelRect& frame) {
  switch (animation->format) {
    case ImageFormat::kWebp:
      return AddWebpFrame(&animation->webp, frame);
    case ImageFormat::kGif:
      return AddGifFrame(&animation->gif, frame);
    default:
      return 1;
  }
}

int32_t FinishAnimation(AnimationOutput* animation) {
  int32_t finished = 1;
  if (animation->format == ImageFormat::kWebp) {
    finished =
        FinishWebpAnimation(&animation->webp, animation->temporary.c_str());
  } else if (animation->format == ImageFormat::kGif) {
    finished = FinishGifAnimation(&animation->gif);
  } else {
    return 1;
  }
  animation->format = ImageFormat::kNone;
  if (!finished) {
    DiscardFile(animation->temporary);
    return 0;
  }
  return CommitFile(animation->temporary, animation->finalName);
}

void AbandonAnimation(AnimationOutput* animation) {
  if (animation->format == ImageFormat::kNone) return;
  DropWebpAnimation(&animation->webp);
  DropGifAnimation(&animation->gif);
  DiscardFile(animation->temporary);
  animation->format = ImageFormat::kNone;
}
