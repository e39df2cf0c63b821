#include "tools/render_scene/progress_line.h"

#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

}  // namespace

ProgressLine StartProgress(int32_t total, int32_t terminal) {
  const Clock::time_point now = Clock::now();
  return ProgressLine{terminal && total > 1 ? 1 : 0, total, now, now};
}

void UpdateProgress(ProgressLine* line, int32_t done) {
  if (!line->shown) return;
  const Clock::time_point now = Clock::now();
  if (done < line->total && SecondsBetween(line->lastShown, now) < 0.1) {
    return;
  }
  line->lastShown = now;
  const double elapsed = SecondsBetween(line->start, now);
  const double rate = elapsed > 0.0 ? double(done) / elapsed : 0.0;
  const double left = rate > 0.0 ? double(line->total - done) / rate : 0.0;
  // "\r" returns to the line's start and "\033[K" clears what a longer
  // earlier line left behind.
  std::fprintf(stderr, "\rframe %d of %d  %.1f frames/s  %.1f s left\033[K",
               done, line->total, rate, left);
  std::fflush(stderr);
}

void EndProgress(const ProgressLine& line) {
  if (line.shown) std::fputc('\n', stderr);
}
