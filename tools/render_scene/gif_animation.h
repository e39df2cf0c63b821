#pragma once
// An animated GIF written frame by frame as the frames are drawn, with the
// fixed palette of gif_palette.h. Every frame covers the whole picture;
// after the first, a pixel whose entry has not changed is written as the
// see-through entry, so the still parts of the picture cost almost nothing.
#include <gif_lib.h>

#include <cstdint>
#include <vector>

#include "tools/render_scene/image_writers.h"

struct GifAnimation {
  GifFileType* file;
  int32_t width;
  int32_t height;
  int32_t delayCentiseconds;
  int32_t frames;
  std::vector<uint8_t> shown;  // the entries on screen after the last frame
  std::vector<uint8_t> row;    // the row being written
};

// Opens `fileName` and writes the header, the palette and the loop-forever
// block. GIF counts delays in hundredths of a second: `delayMs` is rounded
// to the nearest, at least 1. Returns 0 when the file cannot be written.
int32_t BeginGifAnimation(GifAnimation* animation, const char* fileName,
                          int32_t width, int32_t height, int32_t delayMs);

// Writes the next frame (its size that of the animation).
int32_t AddGifFrame(GifAnimation* animation, const PixelRect& frame);

// Ends and closes the file. Returns 1 when the whole file was written.
int32_t FinishGifAnimation(GifAnimation* animation);

// Closes the file without finishing it (the caller removes it).
void DropGifAnimation(GifAnimation* animation);
