#pragma once
// Where each frame of a run goes: numbered stills and raw dumps, the last
// frame for a plain name, every frame into an animation. Every file is
// written under a temporary name and renamed when complete; stills and raw
// dumps on writer threads (frame_writer_pool.h), the animation in order on
// the drawing thread.
#include <cstdint>
#include <memory>

#include "tools/render_scene/animation_output.h"
#include "tools/render_scene/frame_pattern.h"
#include "tools/render_scene/frame_writer_pool.h"
#include "tools/render_scene/image_writers.h"
#include "tools/render_scene/stop_signal.h"

struct ToolOptions;

struct SequenceOutput {
  ImageFormat outFormat;  // still or animated; kNone for no --out
  FramePattern out;
  int32_t hasRaw;
  FramePattern raw;
  int32_t lastNumber;  // the run's last frame, which plain names hold
  AnimationOutput animation;
  std::unique_ptr<WriterPool> writers;  // null without stills or raw dumps
  const StopFlag* stop;
  int32_t filesWritten;
};

// Takes the outputs from the options, starts the animation, if any, at
// the client's size, and the writer threads for stills and raw dumps.
// Returns 0 (with a line on stderr) when the animation cannot start.
int32_t OpenSequenceOutput(const ToolOptions& options, int32_t clientWidth,
                           int32_t clientHeight, const StopFlag* stop,
                           SequenceOutput* output);

// Adds frame `number` to the animation and queues its other files. Returns
// 0 when the animation could not take it (a line on stderr) or a file of an
// earlier frame could not be written.
int32_t WriteSequenceFrame(SequenceOutput* output, int32_t number,
                           const SequenceFrame& frame);

// Waits for the queued files, then completes the animation when `complete`
// is 1 and nothing failed or stopped the run, and drops it otherwise,
// leaving no file behind. Returns 0 when a file could not be written, with
// a line on stderr for each.
int32_t CloseSequenceOutput(SequenceOutput* output, int32_t complete);
