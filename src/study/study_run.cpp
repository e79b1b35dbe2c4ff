#include "study/study_run.h"

#include <string>
#include <utility>

namespace torvane {

StudyRun::StudyRun(const UnitChoice& units, const GasEngine& gas, const LabyInputs& base,
                   std::vector<SweepRange> ranges, std::optional<SweepMethods> methods)
    : sweep_(units, gas, base, std::move(ranges), methods) {
  if (sweep_.size() > kMaxWindowPoints) {
    throw SweepSpecError("A study in this window has at most " + std::to_string(kMaxWindowPoints) +
                         " points, not " + std::to_string(sweep_.size()) +
                         "; torvane-cli sweep takes up to " + std::to_string(kMaxSweepPoints));
  }
  points_.reserve(static_cast<size_t>(sweep_.size()));
}

bool StudyRun::RunUntil(Clock::time_point deadline) {
  while (!finished()) {
    points_.push_back(sweep_.Calculate(done()));
    if (points_.back().status != PointStatus::kOk) ++failed_;
    if (Clock::now() >= deadline) break;
  }
  return !finished();
}

}  // namespace torvane
