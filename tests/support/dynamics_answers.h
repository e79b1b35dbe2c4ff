// Answers of the rotordynamic coefficients with round, known figures (those of the worked
// example at 8000 rpm), for the tests of what shows and prints them.
#pragma once

#include <string>
#include <utility>

#include "dynamics/dynamics_calculation.h"

namespace torvane::testing {

// A calculated speed with two cavities swirling at 0.9 and 0.75 of the rotor surface speed.
inline SpeedAnswer SampleAnswer(double rpm) {
  SpeedAnswer a;
  a.speed = rpm;
  a.whirl_frequency = rpm;
  a.status = DynamicsStatus::kOk;
  a.coefficients = {-50456.586597, 35541.605312, -35541.605312, -50456.586597,
                    23.825123,     56.255734,    -56.255734,    23.825123};
  a.effective_stiffness = -3327.9412;
  a.effective_damping = -18.59961;
  a.whirl_frequency_ratio = 1.7806712;
  a.surface_speed = 60;
  a.cavities = {CavityAnswer{}, CavityAnswer{}};
  a.cavities[0].swirl_ratio = 0.9;
  a.cavities[1].swirl_ratio = 0.75;
  return a;
}

inline SpeedAnswer FailedAnswer(double rpm, std::string message) {
  SpeedAnswer a;
  a.speed = rpm;
  a.whirl_frequency = rpm;
  a.status = DynamicsStatus::kSingular;
  a.message = std::move(message);
  return a;
}

}  // namespace torvane::testing
