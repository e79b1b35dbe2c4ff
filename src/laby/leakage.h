// Gas leakage through a stepped or straight labyrinth shaft seal.
#pragma once

#include <functional>
#include <vector>

namespace torvane {

class GasEngine;

enum class LabyrinthType : int { kStepped = 0, kStraight = 1 };

// Inputs in internal units, plus the clearance, tooth spacing and suggested clearance in the
// user's length unit for the two warnings.
struct LeakageInput {
  LabyrinthType type = LabyrinthType::kStepped;
  double seal_diameter = 0;   // in
  double clearance = 0;       // in
  double pressure_up = 0;     // psia
  double pressure_down = 0;   // psia
  double temperature_up = 0;  // degR
  double teeth = 0;
  double flow_coef = 0;
  double clearance_user = 0;
  double spacing_user = 0;
  double suggested_clearance_user = 0;
};

enum class LeakageWarning { kClearanceRatio, kSuggestedClearance };
enum class LeakageStop { kNone, kBelowSaturation, kDownstreamPressureTooHigh };

struct LeakageResult {
  LeakageStop stop = LeakageStop::kNone;
  double saturation_temp = 0;  // degR, set for every run
  double mass_flow = 0;        // lb/min
  double std_flow = 0;         // SCFM (ft3/min at 520 degR and 14.7 psia)
  double inlet_flow = 0;       // ft3/min at upstream pressure and temperature
  double exhaust_flow = 0;     // ft3/min at downstream pressure, upstream temperature
  std::vector<LeakageWarning> warnings;
  // Set by the overload with a warning sink, instead of raising CalculationError, for a number of
  // teeth the flow function refuses before it computes anything (none, or one in the band around
  // its pole): a study meets the band at a few points of every grid of teeth, and a raised error
  // costs microseconds. No flow is set then.
  bool flow_function_refused = false;
};

// Runs the leakage calculation for the engine's current gas. Warnings are handed to on_warning
// the moment they are raised, before any flow is computed. An arithmetic fault, including one
// inside an engine call, raises CalculationError.
LeakageResult LabyrinthLeakage(const LeakageInput& in, GasEngine& engine,
                               const std::function<void(LeakageWarning)>& on_warning = {});

// Takes the warnings of a calculation as they are raised.
class LeakageWarningSink {
 public:
  virtual void Warn(LeakageWarning warning) = 0;

 protected:
  ~LeakageWarningSink() = default;
};

// The same calculation for a caller that keeps the warnings itself: each goes to sink the
// moment it is raised, and the result's own list stays empty. A number of teeth the flow
// function refuses outright sets flow_function_refused instead of raising CalculationError.
LeakageResult LabyrinthLeakage(const LeakageInput& in, GasEngine& engine, LeakageWarningSink& sink);

// The volume flows of a leakage mass flow, in ft3/min.
struct LeakageVolumeFlows {
  double std_flow = 0;      // at 520 degR and 14.7 psia, as the ideal gas
  double inlet_flow = 0;    // at the upstream pressure and temperature
  double exhaust_flow = 0;  // at the downstream pressure and the upstream temperature
};

// The volume flows of mass_flow (lb/min) of the engine's current gas between the upstream state
// (psia, degR) and the downstream pressure (psia), with the specific volumes of the equation of
// state: the flows of LabyrinthLeakage's result. An arithmetic fault, or a specific volume that
// is not positive, raises CalculationError.
LeakageVolumeFlows VolumeFlowsOf(double mass_flow, double pressure_up, double pressure_down,
                                 double temperature_up, GasEngine& engine);

// The flow function phi = 2.143 (ln N - 1.464) / (N - 4.322) (1 - beta)^(0.375 beta). A number of
// teeth in the band around the pole (where the pole distorts the result by more than 10 %), or a
// tooth term that is not positive, raises CalculationError. phi is 0 for beta = 1.
double FlowFunction(double teeth, double beta);

// The numbers of teeth from 4.312 to 4.332 (bounds included) lie within 0.01 of the pole.
inline constexpr double kToothPoleBandLow = 4.312;
inline constexpr double kToothPoleBandHigh = 4.332;
bool InToothPoleBand(double teeth);

// The kinetic carry-over factor of a labyrinth with clearance ratio x. A factor that is not
// positive raises CalculationError.
double CarryOverFactor(LabyrinthType type, double teeth, double clearance_ratio);

}  // namespace torvane
