// Frame-time samples of a harness run and the --bench summary line made from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

class FrameStats {
 public:
  void Add(double cpuMs, double frameMs) {
    cpu_.push_back(cpuMs);
    frame_.push_back(frameMs);
  }
  int64_t Count() const { return static_cast<int64_t>(cpu_.size()); }
  // "frames=N cpu_ms_median=X cpu_ms_p99=Y frame_ms_median=Z frame_ms_p99=W"
  std::string Summary() const;
  // The q-quantile (0..1) of samples, nearest-rank; 0 for no samples.
  static double Quantile(std::vector<double> samples, double q);
  // "pacing frames=N fps=F interval_ms_median=X interval_ms_p99=Y interval_ms_max=Z" of the
  // intervals between frames (ms) and the time they spanned.
  static std::string PacingSummary(const std::vector<double>& intervals);

 private:
  std::vector<double> cpu_;
  std::vector<double> frame_;
};

}  // namespace app
