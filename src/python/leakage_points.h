// The leakage of a seal at many operating points for the Python module: the program's
// correlation through the labyrinth window's calculation path (as `torvane-cli leak` and the
// sweeps run it), or one of the classical methods as the comparison works it. Every point is a
// calculation of its own; a point that fails keeps its status and message, and the others go on.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gas_engine.h"
#include "laby/labyrinth_calculation.h"
#include "methods/method_comparison.h"
#include "platform/message_service.h"
#include "python/module_gas.h"
#include "python/module_seal.h"

namespace torvane::python {

enum class LeakageMethod { kCorrelation, kMartin, kVermes, kToothByTooth };

// "correlation", "martin", "vermes", "tooth-by-tooth"; nothing for any other name.
std::optional<LeakageMethod> LeakageMethodNamed(std::string_view name);

struct LeakagePoint {
  // How the point ended: calculated, a field check failed, the calculation stopped (below
  // saturation, downstream pressure too high), or an error (the correlation's calculation
  // error, or a method that does not apply).
  LegacyStatus status = LegacyStatus::kOk;
  std::string message;                // the failure's message; empty when ok
  std::vector<std::string> warnings;  // every other message of the point, in order
  // Only when ok, in SI units.
  double mass_flow = 0;     // kg/s
  double std_flow = 0;      // m3/s at 60 deg F and 14.7 psia
  double inlet_flow = 0;    // m3/s at the upstream state
  double exhaust_flow = 0;  // m3/s at the downstream pressure, upstream temperature
  bool choked = false;      // the methods only
};

class LeakagePoints {
 public:
  // gamma: cp/cv for tooth by tooth; nothing for the gas's ideal-gas cp0/cv0 at each point's
  // upstream temperature. With real_gas Martin and Martin-Vermes take Z at the upstream state
  // and tooth by tooth runs along the real gas's isentrope; the correlation always takes its
  // specific volumes from the equation of state.
  LeakagePoints(const ModuleGas& gas, const ModuleSeal& seal, LeakageMethod method,
                std::optional<double> gamma, bool real_gas);
  LeakagePoints(const LeakagePoints&) = delete;
  LeakagePoints& operator=(const LeakagePoints&) = delete;

  LeakagePoint At(const OperatingPoint& point);

 private:
  LeakagePoint Correlation(const LabyInputs& inputs);
  LeakagePoint Method(const LabyInputs& inputs);

  ModuleSeal seal_;
  LeakageMethod method_;
  std::optional<double> gamma_;
  bool real_gas_;
  UnitChoice units_;
  RecordingMessageService messages_;
  GasEngine engine_;
  LabyrinthCalculation calculation_;
};

// The gamma of the methods and the coefficients at an upstream temperature (degR): the one
// given, else the gas's ideal-gas cp0/cv0 there. Raises CalculationError when it is not a
// number.
double GammaAt(std::optional<double> gamma, const GasMixture& mixture, double rankine_up);

}  // namespace torvane::python
