#pragma once
// Time figures the benchmarks share.

#include <algorithm>
#include <chrono>
#include <numeric>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The value below which the given share of the times lie.
inline double Percentile(std::vector<double> times, double share) {
  if (times.empty()) return 0;
  std::sort(times.begin(), times.end());
  const size_t at = std::min(times.size() - 1, size_t(share * double(times.size())));
  return times[at];
}

inline double Mean(const std::vector<double>& times) {
  return times.empty() ? 0 : std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
}

}  // namespace bench
