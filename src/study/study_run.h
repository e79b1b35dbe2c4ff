// A study as the study window runs it: the points of a sweep calculated in slices between
// which the window keeps its screen alive, kept for the table and the plots, and cancellable
// between any two points.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "study/sweep.h"

namespace torvane {

// The most points a study in the window holds (each is kept for the table and the plots);
// larger studies are for the calculator's sweep.
inline constexpr std::int64_t kMaxWindowPoints = 100'000;

class StudyRun {
 public:
  using Clock = std::chrono::steady_clock;

  // A sweep of more than kMaxWindowPoints points is refused with SweepSpecError. With methods,
  // every point carries the classical methods' mass flows too.
  StudyRun(const UnitChoice& units, const GasEngine& gas, const LabyInputs& base,
           std::vector<SweepRange> ranges, std::optional<SweepMethods> methods = std::nullopt);

  // Calculates the next points until every point is done, the study is cancelled or the clock
  // reaches deadline (checked after each point, so at least one point is done per call).
  // Returns true while points remain to be calculated.
  bool RunUntil(Clock::time_point deadline);
  // No further point is calculated; the points done so far stay.
  void Cancel() { cancelled_ = true; }

  bool cancelled() const { return cancelled_; }
  bool finished() const { return cancelled_ || done() == sweep_.size(); }
  std::int64_t done() const { return static_cast<std::int64_t>(points_.size()); }
  std::int64_t size() const { return sweep_.size(); }
  std::int64_t failed() const { return failed_; }

  const Sweep& sweep() const { return sweep_; }
  const std::vector<SweepPoint>& points() const { return points_; }

 private:
  Sweep sweep_;
  std::vector<SweepPoint> points_;
  std::int64_t failed_ = 0;
  bool cancelled_ = false;
};

}  // namespace torvane
