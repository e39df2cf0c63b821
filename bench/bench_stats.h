#pragma once
// The fastest of a benchmark's repetitions, reported beside the mean and
// median (--benchmark_repetitions=N): on a machine shared with other work
// the fastest run is the one least disturbed.
#include <algorithm>
#include <vector>

inline double FastestOf(const std::vector<double>& values) {
  return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}
