#pragma once
// A run of frames from start to end: reaching the first frame, drawing each
// frame and handing it to the writers, the progress line, and stopping on a
// signal. The drawing itself comes in through two hooks, so the loop knows
// nothing of how a scene is set up or drawn.
#include <cstdint>
#include <functional>
#include <string>

#include "tools/render_scene/sequence_output.h"

struct ToolOptions;

struct FrameHooks {
  std::function<void()> step;  // one animation step
  // Draws the next frame (clear, then the scene pass) and shows it.
  std::function<SequenceFrame()> draw;
};

// Wall-clock totals for the run, in milliseconds.
struct SequenceTimes {
  double drawMs;   // inside the draw hook
  double writeMs;  // encoding and writing files, the animation's end included
  double runMs;    // the whole run, the steps to the first frame included
  int32_t files;   // files written
};

// Runs --frames frames numbered from --first-frame: `firstFrame` animation
// steps without drawing, then for each frame a step (after the first), the
// draw hook and the writers. Ctrl-C or SIGTERM stops it between frames and
// between rows of writing: finished files stay, the one in progress is
// removed. Returns the exit status: 0, 1 when a file could not be written,
// or 128 + the signal's number when stopped (130 for SIGINT, 143 for
// SIGTERM).
int32_t RunFrameSequence(const ToolOptions& options, int32_t clientWidth,
                         int32_t clientHeight, const FrameHooks& hooks,
                         SequenceTimes* times);

// "bench-output: files=N draw_ms=D write_ms=W run_ms=R outside_drawing=P%".
std::string FormatSequenceTimes(const SequenceTimes& times);
