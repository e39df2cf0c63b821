#pragma once
// Timing figures for --bench: per-frame times gathered without allocating
// in the frame loop, summarised as medians.
#include <cstdint>
#include <string>
#include <vector>

struct BenchTimes {
  std::vector<double> frameMs;       // colour clear + scene pass
  std::vector<double> clearMs;       // colour clear alone
  std::vector<double> sceneMs;       // scene pass alone
  std::vector<double> depthResetMs;  // depth reset, inside the scene pass
  std::vector<double> fillMs;        // drawing the objects, inside the scene pass
};

// Reserves room for `frames` entries so that recording never allocates.
void ReserveBenchTimes(int32_t frames, BenchTimes* times);

// The median (mean of the middle two for an even count); 0 when empty.
double MedianOf(std::vector<double> values);

// "bench: frames=N median_ms=X min_ms=Y max_ms=Z fps=F mpix_per_s=P
// threads=T", then one line of per-stage medians. `pixelsPassed` is the
// number of pixels that passed the depth tests over all frames, or -1 when
// the renderer does not count them; `threads` the workers that drew.
std::string FormatBenchReport(const BenchTimes& times, int64_t pixelsPassed,
                              int32_t threads);
