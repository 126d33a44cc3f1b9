// Frame-time samples of a harness run and the --bench summary line.
#include "app/FrameStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace app {

double FrameStats::Quantile(std::vector<double> samples, double q) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const double rank = std::ceil(q * static_cast<double>(samples.size()));
  const size_t index = rank < 1 ? 0 : static_cast<size_t>(rank) - 1;
  return samples[std::min(index, samples.size() - 1)];
}

std::string FrameStats::Summary() const {
  char line[256];
  std::snprintf(line, sizeof line,
                "frames=%lld cpu_ms_median=%.3f cpu_ms_p99=%.3f frame_ms_median=%.3f "
                "frame_ms_p99=%.3f",
                static_cast<long long>(Count()), Quantile(cpu_, 0.5), Quantile(cpu_, 0.99),
                Quantile(frame_, 0.5), Quantile(frame_, 0.99));
  return line;
}

std::string FrameStats::PacingSummary(const std::vector<double>& intervals) {
  double total = 0;
  for (double ms : intervals) total += ms;
  const double fps = total > 0 ? 1000.0 * static_cast<double>(intervals.size()) / total : 0;
  char line[256];
  std::snprintf(line, sizeof line,
                "pacing frames=%zu fps=%.2f interval_ms_median=%.3f interval_ms_p99=%.3f "
                "interval_ms_max=%.3f",
                intervals.size(), fps, Quantile(intervals, 0.5), Quantile(intervals, 0.99),
                Quantile(intervals, 1.0));
  return line;
}

}  // namespace app
