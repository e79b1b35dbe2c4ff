#include "laby/leakage.h"

#include <cmath>
#include <utility>

#include "engine/gas_engine.h"
#include "platform/errors.h"

namespace torvane {
namespace {

// The straight-labyrinth divisor for more than 12 teeth, kept one unit in the last place
// larger in magnitude than -0.32 as the established results were computed with it.
const double kStraightDivisor = std::nextafter(-0.32, -1.0);

}  // namespace

bool InToothPoleBand(double teeth) {
  return teeth >= kToothPoleBandLow && teeth <= kToothPoleBandHigh;
}

double FlowFunction(double teeth, double beta) {
  if (!(teeth > 0)) throw CalculationError("logarithm of a non-positive number of teeth");
  // The tooth term has its pole at N = 4.322 and its zero at N = e^1.464 = 4.32322: between them
  // it is negative, and close to the pole it inflates the leakage beyond any use.
  if (InToothPoleBand(teeth)) {
    throw CalculationError("the flow function is not usable for a number of teeth near 4.322");
  }
  const double tooth_term =
      CheckedDiv(2.143 * (std::log(teeth) - 1.464), teeth - 4.322, "flow function");
  if (!(tooth_term > 0)) throw CalculationError("the flow function is not positive");
  const double base = 1 - beta;
  const double exponent = 0.375 * beta;
  const double power = Checked(std::pow(base, exponent), "flow function");
  return Checked(tooth_term * power, "flow function");
}

double CarryOverFactor(LabyrinthType type, double teeth, double x) {
  if (type == LabyrinthType::kStepped) return 1.0;
  if (!(1 + x > 0)) throw CalculationError("logarithm of a non-positive number in carry-over");
  const double l = std::log(1 + x);
  double gamma = 0;
  if (teeth <= 12) {
    const double e = Checked(std::exp(0.507 * (12 - teeth)), "carry-over factor");
    const double a = 15.1 - 0.05255 * e;
    const double b = 1.058 + 0.0218 * teeth;
    gamma =
        Checked(1 + CheckedDiv((x - b * l) * a, 1 - b, "carry-over factor"), "carry-over factor");
  } else {
    gamma = Checked(1 + CheckedDiv((x - 1.32 * l) * (13.15 + 0.1625 * teeth), kStraightDivisor,
                                   "carry-over factor"),
                    "carry-over factor");
  }
  // The fit turns negative at large clearance ratios, where it no longer describes a seal.
  if (!(gamma > 0)) throw CalculationError("the carry-over factor is not positive");
  return gamma;
}

LeakageResult LabyrinthLeakage(const LeakageInput& in, GasEngine& engine,
                               const std::function<void(LeakageWarning)>& on_warning) {
  struct Recorder : LeakageWarningSink {
    std::vector<LeakageWarning> warnings;
    const std::function<void(LeakageWarning)>* on_warning = nullptr;
    void Warn(LeakageWarning w) override {
      warnings.push_back(w);
      if (*on_warning) (*on_warning)(w);
    }
  } recorder;
  recorder.on_warning = &on_warning;
  LeakageResult r = LabyrinthLeakage(in, engine, recorder);
  // The flow function's own error, raised as it raises it.
  if (r.flow_function_refused) FlowFunction(in.teeth, 0);
  r.warnings = std::move(recorder.warnings);
  return r;
}

LeakageResult LabyrinthLeakage(const LeakageInput& in, GasEngine& engine,
                               LeakageWarningSink& sink) {
  LeakageResult r;
  const auto warn = [&](LeakageWarning w) { sink.Warn(w); };

  // 1. Saturation check.
  r.saturation_temp = engine.SaturationTemp(in.pressure_up);
  if (in.temperature_up < r.saturation_temp) {
    r.stop = LeakageStop::kBelowSaturation;
    return r;
  }

  // 2. Pressure ratio.
  const double beta = CheckedDiv(in.pressure_down, in.pressure_up, "pressure ratio");
  if (beta > 1) {
    r.stop = LeakageStop::kDownstreamPressureTooHigh;
    return r;
  }

  // 3. and 4. Warnings, before any flow is computed.
  const double x = CheckedDiv(in.clearance_user, in.spacing_user, "clearance ratio");
  if (x > 0.12) warn(LeakageWarning::kClearanceRatio);
  if (in.clearance_user > in.suggested_clearance_user) warn(LeakageWarning::kSuggestedClearance);

  // 5. and 6. (FlowFunction refuses these teeth before anything else.)
  if (!(in.teeth > 0) || InToothPoleBand(in.teeth)) {
    r.flow_function_refused = true;
    return r;
  }
  const double phi = FlowFunction(in.teeth, beta);
  const double gamma = CarryOverFactor(in.type, in.teeth, x);

  // 7. Flows.
  const double mw = engine.CurrentMixture().mix_mol_weight;
  const double root_arg = CheckedDiv(1.01 * mw, in.temperature_up, "leakage mass flow");
  if (root_arg < 0) throw CalculationError("root of a negative number in leakage mass flow");
  r.mass_flow = Checked(in.seal_diameter * 27.2 * in.clearance * in.pressure_up * phi * gamma *
                            in.flow_coef * std::sqrt(root_arg),
                        "leakage mass flow");
  // A negative flow coefficient is not refused by any field check; a seal never leaks backwards.
  if (r.mass_flow < 0) throw CalculationError("the leakage is negative");
  const LeakageVolumeFlows flows =
      VolumeFlowsOf(r.mass_flow, in.pressure_up, in.pressure_down, in.temperature_up, engine);
  r.std_flow = flows.std_flow;
  r.inlet_flow = flows.inlet_flow;
  r.exhaust_flow = flows.exhaust_flow;
  return r;
}

LeakageVolumeFlows VolumeFlowsOf(double mass_flow, double pressure_up, double pressure_down,
                                 double temperature_up, GasEngine& engine) {
  LeakageVolumeFlows f;
  const double mw = engine.CurrentMixture().mix_mol_weight;
  f.std_flow = Checked(mass_flow * CheckedDiv(1545, mw, "standard flow") * 520 / 144 / 14.7,
                       "standard flow");
  double t = temperature_up;
  const double vu = engine.SpecificVolume(pressure_up, t).specific_volume;
  const double vd = engine.SpecificVolume(pressure_down, t).specific_volume;
  // A negative downstream pressure (it has no field check) gives a negative volume.
  if (!(vu > 0) || !(vd > 0)) throw CalculationError("a specific volume is not positive");
  f.exhaust_flow = Checked(vd * mass_flow, "exhaust volume flow");
  f.inlet_flow = Checked(mass_flow * vu, "inlet volume flow");
  return f;
}

}  // namespace torvane
