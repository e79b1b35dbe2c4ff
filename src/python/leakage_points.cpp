#include "python/leakage_points.h"

#include "laby/leakage.h"
#include "platform/errors.h"
#include "python/module_units.h"
#include "thermo/ideal_gas_heat.h"

namespace torvane::python {

std::optional<LeakageMethod> LeakageMethodNamed(std::string_view name) {
  if (name == "correlation") return LeakageMethod::kCorrelation;
  if (name == "martin") return LeakageMethod::kMartin;
  if (name == "vermes") return LeakageMethod::kVermes;
  if (name == "tooth-by-tooth") return LeakageMethod::kToothByTooth;
  return std::nullopt;
}

double GammaAt(std::optional<double> gamma, const GasMixture& mixture, double rankine_up) {
  return Checked(gamma ? *gamma : IdealGasGamma(mixture, rankine_up), "gamma");
}

LeakagePoints::LeakagePoints(const ModuleGas& gas, const ModuleSeal& seal, LeakageMethod method,
                             std::optional<double> gamma, bool real_gas)
    : seal_(seal),
      method_(method),
      gamma_(gamma),
      real_gas_(real_gas),
      units_(EnglishUnits()),
      engine_(messages_),
      calculation_(units_, engine_, messages_) {
  gas.LoadInto(engine_);
}

LeakagePoint LeakagePoints::At(const OperatingPoint& point) {
  const LabyInputs inputs = EnglishInputs(seal_, point);
  messages_.Clear();
  return method_ == LeakageMethod::kCorrelation ? Correlation(inputs) : Method(inputs);
}

LeakagePoint LeakagePoints::Correlation(const LabyInputs& inputs) {
  LeakagePoint p;
  const LabyOutcome outcome = calculation_.Calculate(inputs);
  p.status = LegacyStatusOf(outcome.status);
  // A failure's own message is the last one shown; every message before it is a warning.
  std::vector<std::string> shown = messages_.texts();
  if (p.status != LegacyStatus::kOk && !shown.empty()) {
    p.message = std::move(shown.back());
    shown.pop_back();
  }
  p.warnings = std::move(shown);
  if (p.status == LegacyStatus::kOk) {
    const LabyResults& r = outcome.results;
    p.mass_flow = KilogramsPerSecondOf(r.laby_flow);
    p.std_flow = CubicMetresPerSecondOf(r.laby_flow_std);
    p.inlet_flow = CubicMetresPerSecondOf(r.laby_supply_flow);
    p.exhaust_flow = CubicMetresPerSecondOf(r.laby_volume_flow);
  }
  return p;
}

LeakagePoint LeakagePoints::Method(const LabyInputs& inputs) {
  LeakagePoint p;
  p.status = LegacyStatus::kError;
  try {
    const double rankine_up = units_.ConvertTemperature(inputs.temp_up, "AR");
    const double gamma = GammaAt(gamma_, engine_.CurrentMixture(), rankine_up);
    MethodId id = MethodId::kToothByTooth;
    if (method_ == LeakageMethod::kMartin) id = MethodId::kMartin;
    if (method_ == LeakageMethod::kVermes) id = MethodId::kVermes;
    if (method_ == LeakageMethod::kToothByTooth && real_gas_) id = MethodId::kRealGasToothByTooth;
    const MethodResult r = WorkMethod(id, inputs, units_, engine_, messages_, gamma, real_gas_);
    if (r.ok()) {
      // The volume flows of the method's leakage as the correlation gives its own.
      const double pounds_per_minute = r.mass_flow / kKilogramsPerPound * 60;
      const LeakageVolumeFlows flows =
          VolumeFlowsOf(pounds_per_minute, units_.ConvertPressure(inputs.press_up, "AE"),
                        units_.ConvertPressure(inputs.press_down, "AE"), rankine_up, engine_);
      p.status = LegacyStatus::kOk;
      p.mass_flow = r.mass_flow;
      p.std_flow = CubicMetresPerSecondOf(flows.std_flow);
      p.inlet_flow = CubicMetresPerSecondOf(flows.inlet_flow);
      p.exhaust_flow = CubicMetresPerSecondOf(flows.exhaust_flow);
      p.choked = r.choked;
    } else {
      p.message = r.message;
    }
  } catch (const CalculationError& e) {
    p = LeakagePoint{};
    p.status = LegacyStatus::kError;
    p.message = std::string("Calculation error: ") + e.what();
  }
  p.warnings = messages_.texts();
  return p;
}

}  // namespace torvane::python
