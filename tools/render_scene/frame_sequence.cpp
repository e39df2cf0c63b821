#include "tools/render_scene/frame_sequence.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "tools/render_scene/progress_line.h"
#include "tools/render_scene/stop_signal.h"
#include "tools/render_scene/tool_options.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// Steps to the first frame. Returns 0 when a stop came first.
int32_t ReachFirstFrame(int32_t firstFrame, const FrameHooks& hooks,
                        const StopFlag* stop) {
  for (int32_t step = 0; step < firstFrame; ++step) {
    if (*stop != 0) return 0;
    hooks.step();
  }
  return 1;
}

// Draws and writes the frames. Returns 1 when all were written, 0 when a
// write failed or a stop came.
int32_t DrawAndWrite(const ToolOptions& options, const FrameHooks& hooks,
                     SequenceOutput* output, SequenceTimes* times) {
  ProgressLine progress = StartProgress(options.frames, isatty(STDERR_FILENO));
  int32_t written = 1;
  for (int32_t index = 0; written && index < options.frames; ++index) {
    if (index > 0) hooks.step();
    const Clock::time_point drawStart = Clock::now();
    const SequenceFrame frame = hooks.draw();
    times->drawMs += MillisecondsSince(drawStart);
    // A frame drawn while a stop came is not written.
    if (*output->stop != 0) {
      written = 0;
      break;
    }
    const Clock::time_point writeStart = Clock::now();
    written =
        WriteSequenceFrame(output, options.sequence.firstFrame + index, frame);
    times->writeMs += MillisecondsSince(writeStart);
    UpdateProgress(&progress, index + 1);
  }
  EndProgress(progress);
  return written;
}

}  // namespace

int32_t RunFrameSequence(const ToolOptions& options, int32_t clientWidth,
                         int32_t clientHeight, const FrameHooks& hooks,
                         SequenceTimes* times) {
  const Clock::time_point start = Clock::now();
  *times = SequenceTimes{};
  const StopFlag* stop = InstallStopSignals();
  SequenceOutput output;
  if (!OpenSequenceOutput(options, clientWidth, clientHeight, stop, &output)) {
    return 1;
  }
  const int32_t drawn =
      ReachFirstFrame(options.sequence.firstFrame, hooks, stop) &&
      DrawAndWrite(options, hooks, &output, times);
  const Clock::time_point closeStart = Clock::now();
  const int32_t done = CloseSequenceOutput(&output, drawn) && drawn;
  times->writeMs += MillisecondsSince(closeStart);
  times->runMs = MillisecondsSince(start);
  times->files = output.filesWritten;
  if (*stop != 0) return 128 + *stop;
  return done ? 0 : 1;
}

std::string FormatSequenceTimes(const SequenceTimes& times) {
  const double outside = times.runMs - times.drawMs;
  char line[256];
  std::snprintf(line, sizeof line,
                "bench-output: files=%d draw_ms=%.1f write_ms=%.1f "
                "run_ms=%.1f outside_drawing=%.1f%%\n",
                times.files, times.drawMs, times.writeMs, times.runMs,
                times.runMs > 0.0 ? 100.0 * outside / times.runMs : 0.0);
  return line;
}
