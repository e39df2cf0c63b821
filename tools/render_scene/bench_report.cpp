#include "tools/render_scene/bench_report.h"

#include <algorithm>
#include <cstdio>

void ReserveBenchTimes(int32_t frames, BenchTimes* times) {
  times->frameMs.reserve(static_cast<size_t>(frames));
  times->clearMs.reserve(static_cast<size_t>(frames));
  times->sceneMs.reserve(static_cast<size_t>(frames));
  times->depthResetMs.reserve(static_cast<size_t>(frames));
  times->fillMs.reserve(static_cast<size_t>(frames));
}

double MedianOf(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2.0;
}

std::string FormatBenchReport(const BenchTimes& times, int64_t pixelsPassed,
                              int32_t threads) {
  const std::vector<double>& frames = times.frameMs;
  const double median = MedianOf(frames);
  const double low =
      frames.empty() ? 0.0 : *std::min_element(frames.begin(), frames.end());
  const double high =
      frames.empty() ? 0.0 : *std::max_element(frames.begin(), frames.end());
  // Pixels per frame over the median frame time: like the other figures it
  // stays put when a few frames are held up by other work on the machine.
  const double perFrame =
      frames.empty() ? 0.0
                     : static_cast<double>(pixelsPassed) / double(frames.size());
  char speed[64] = "n/a";
  if (pixelsPassed >= 0 && median > 0.0) {
    std::snprintf(speed, sizeof speed, "%.3f", perFrame / (median * 1000.0));
  }
  char line[512];
  std::snprintf(line, sizeof line,
                "bench: frames=%zu median_ms=%.4f min_ms=%.4f max_ms=%.4f "
                "fps=%.1f mpix_per_s=%s threads=%d\n"
                "bench-stages: colour_clear_ms=%.4f scene_pass_ms=%.4f "
                "depth_reset_ms=%.4f fills_ms=%.4f pixels_per_frame=%.0f\n",
                frames.size(), median, low, high,
                median > 0.0 ? 1000.0 / median : 0.0, speed, threads,
                MedianOf(times.clearMs), MedianOf(times.sceneMs),
                MedianOf(times.depthResetMs), MedianOf(times.fillMs),
                pixelsPassed >= 0 ? perFrame : 0.0);
  return line;
}
