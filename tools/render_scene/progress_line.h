#pragma once
// One self-updating line on a terminal while a sequence is drawn: frames
// done of the total, frames a second and the time left. Silent when
// standard error is not a terminal or the run draws one frame.
#include <chrono>
#include <cstdint>

struct ProgressLine {
  int32_t shown;  // 1 when the line is printed at all
  int32_t total;
  std::chrono::steady_clock::time_point start;
  std::chrono::steady_clock::time_point lastShown;
};

// Starts the line for `total` frames; shown only when `terminal` is 1.
ProgressLine StartProgress(int32_t total, int32_t terminal);

// Records `done` frames finished; redraws at most ten times a second, and
// always for the last frame.
void UpdateProgress(ProgressLine* line, int32_t done);

// Ends the line with a newline so that later output starts afresh.
void EndProgress(const ProgressLine& line);
