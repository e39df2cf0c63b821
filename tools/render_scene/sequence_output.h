#pragma once
// Where each frame of a run goes: numbered stills and raw dumps, the last
// frame for a plain name, every frame into an animation. Every file is
// written under a temporary name and renamed when complete.
#include <cstdint>

#include "tools/render_scene/animation_output.h"
#include "tools/render_scene/frame_pattern.h"
#include "tools/render_scene/image_writers.h"
#include "tools/render_scene/stop_signal.h"

struct ToolOptions;

// One drawn frame as the writers take it: the client area, and the whole
// frame buffer and depth buffer for the raw dump.
struct SequenceFrame {
  PixelRect client;
  const uint32_t* buffer;  // bufferWidth x bufferHeight, rows packed
  const float* depth;      // as many entries
  int32_t bufferWidth;
  int32_t bufferHeight;
};

struct SequenceOutput {
  ImageFormat outFormat;  // still or animated; kNone for no --out
  FramePattern out;
  int32_t hasRaw;
  FramePattern raw;
  int32_t lastNumber;  // the run's last frame, which plain names hold
  AnimationOutput animation;
  const StopFlag* stop;
  int32_t filesWritten;
};

// Takes the outputs from the options and starts the animation, if any, at
// the client's size. Returns 0 (with a line on stderr) when it cannot start.
int32_t OpenSequenceOutput(const ToolOptions& options, int32_t clientWidth,
                           int32_t clientHeight, const StopFlag* stop,
                           SequenceOutput* output);

// Writes frame `number` wherever it goes. Returns 1 when all went well; 0
// when a file could not be written (a line on stderr) or a stop was asked
// for while writing (no line; the file is not left behind).
int32_t WriteSequenceFrame(SequenceOutput* output, int32_t number,
                           const SequenceFrame& frame);

// Completes the animation. Returns 0 (with a line on stderr) on failure.
int32_t CloseSequenceOutput(SequenceOutput* output);

// Drops the unfinished animation, leaving no file behind.
void AbandonSequenceOutput(SequenceOutput* output);
