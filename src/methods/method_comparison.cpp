#include "methods/method_comparison.h"

#include <cmath>
#include <optional>
#include <utility>

#include "engine/gas_engine.h"
#include "methods/real_gas_tooth_by_tooth.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "thermo/ideal_gas_heat.h"
#include "units/si_factors.h"

namespace torvane {
namespace {

LegacyResult RunLegacy(const LabyInputs& inputs, const UnitChoice& units, const GasEngine& engine) {
  RecordingMessageService messages;
  GasEngine quiet(engine, messages);
  LabyrinthCalculation calculation(units, quiet, messages);
  const LabyOutcome outcome = calculation.Calculate(inputs);
  LegacyResult legacy;
  legacy.status = LegacyStatusOf(outcome.status);
  legacy.messages = messages.texts();
  for (const LeakageWarning w : outcome.warnings) {
    legacy.warnings.push_back(w == LeakageWarning::kClearanceRatio
                                  ? std::string(kClearanceRatioWarning)
                                  : SuggestedClearanceWarning(units.InputLimit(
                                        LimitRow::kSuggestedClearance, LimitKind::kMaximum)));
  }
  if (legacy.status == LegacyStatus::kOk) legacy.results = outcome.results;
  return legacy;
}

// The three methods worked in SI units for a case, each failing on its own.
struct WorkedMethods {
  SealCase seal;  // as converted, when the conversion succeeded
  CaseGamma gamma;
  double z_up = 1;
  std::string failure;                  // why no real-gas method could start; empty when they could
  std::array<MethodResult, 3> results;  // in the order of kMethodIds
};

// With only, the one method of the three it names is worked (none for the real gas's tooth by
// tooth); the others are left unworked.
WorkedMethods WorkMethods(const LabyInputs& inputs, const UnitChoice& units, GasEngine& engine,
                          const RecordingMessageService& messages, std::optional<double> gamma,
                          bool real_gas, std::optional<MethodId> only = std::nullopt) {
  WorkedMethods out;
  out.gamma = GammaOfCase(gamma, inputs, units, engine.CurrentMixture());
  std::string failure;  // why no method could start
  try {
    out.seal = SealCaseOf(inputs, units, engine.CurrentMixture().mix_mol_weight,
                          out.gamma.ok() ? out.gamma.value : 0);
  } catch (const CalculationError&) {
    failure = "An input cannot be converted to SI units";
  }
  UpstreamZ z;
  if (real_gas && failure.empty()) {
    z = ZOfUpstream(inputs, units, engine, messages);
    out.z_up = z.z;
  }
  out.failure = failure.empty() ? z.failure : failure;
  for (size_t k = 0; k < out.results.size(); ++k) {
    const MethodId id = kMethodIds[k];
    if (only && id != *only) continue;
    MethodResult& r = out.results[k];
    const bool uses_z = id != MethodId::kToothByTooth && real_gas;
    if (!failure.empty() || (uses_z && !z.failure.empty())) {
      r.message = failure.empty() ? z.failure : failure;
      continue;
    }
    if (id == MethodId::kToothByTooth && !out.gamma.ok()) {
      r.message = out.gamma.failure;
      continue;
    }
    SealCase s = out.seal;
    if (uses_z) s.z_up = z.z;
    switch (id) {
      case MethodId::kMartin:
        r = Martin(s);
        break;
      case MethodId::kVermes:
        r = MartinVermes(s);
        break;
      case MethodId::kToothByTooth:
      case MethodId::kRealGasToothByTooth:
        r = ToothByTooth(s);
        break;
    }
  }
  return out;
}

// Tooth by tooth along the real gas's isentrope on the seal the methods were worked on.
RealGasToothByToothResult RealGasOf(const WorkedMethods& worked, const GasEngine& engine) {
  RealGasToothByToothResult out;
  if (!worked.failure.empty()) {
    out.method.message = worked.failure;
    return out;
  }
  try {
    out = RealGasToothByTooth(worked.seal, CaloricGas(engine.CurrentMixture()));
  } catch (const CalculationError& e) {
    out = RealGasToothByToothResult{};
    out.method.message = std::string("Calculation error: ") + e.what();
  }
  return out;
}

// A method's leakage in the user's mass-flow unit. Raises CalculationError.
double UserMassFlow(const MethodResult& r, const UnitChoice& units) {
  const double pounds_per_minute = r.mass_flow / kKilogramsPerPound * 60;
  return units.ConvertMassFlow(pounds_per_minute, "EA");
}

// The stations are converted as fractions of the upstream state, so that station 0 is the
// upstream pressure and temperature exactly as entered.
void ToUserUnits(ComparedMethod& m, const LabyInputs& inputs, const SealCase& seal,
                 const UnitChoice& units, double legacy_flow, bool legacy_ok) {
  const MethodResult& r = m.result;
  if (!r.ok()) return;
  try {
    m.mass_flow = UserMassFlow(r, units);
    const double rankine_up = units.ConvertTemperature(inputs.temp_up, "AR");
    for (size_t i = 0; i < r.cavity_pressures.size(); ++i) {
      const double p = r.cavity_pressures[i] / seal.pressure_up;
      const double t = r.cavity_temperatures[i] / seal.temperature_up;
      m.cavity_pressures.push_back(i == 0 ? inputs.press_up
                                          : Checked(inputs.press_up * p, "cavity pressure"));
      m.cavity_temperatures.push_back(i == 0 ? inputs.temp_up
                                             : units.ConvertTemperature(rankine_up * t, "RA"));
    }
    if (legacy_ok && legacy_flow != 0) {
      m.ratio_to_legacy = CheckedDiv(m.mass_flow, legacy_flow, "ratio to the correlation");
    }
  } catch (const CalculationError& e) {
    m.result = MethodResult{};
    m.result.message = std::string("Calculation error: ") + e.what();
    m.mass_flow = 0;
    m.cavity_pressures.clear();
    m.cavity_temperatures.clear();
    m.ratio_to_legacy.reset();
  }
}

}  // namespace

UpstreamZ ZOfUpstream(const LabyInputs& inputs, const UnitChoice& units, GasEngine& engine,
                      const RecordingMessageService& messages) {
  UpstreamZ out;
  const size_t shown_before = messages.messages().size();
  try {
    const double p = units.ConvertPressure(inputs.press_up, "AE");
    double t = units.ConvertTemperature(inputs.temp_up, "AR");
    const double requested = t;
    out.z = engine.SpecificVolume(p, t).z;
    if (messages.messages().size() > shown_before) {
      out.failure =
          "Z at the upstream state is not reliable: " + messages.messages()[shown_before].text;
    } else if (t != requested) {
      out.failure = "The equation of state gives no Z below 200 deg R";
    }
  } catch (const CalculationError&) {
    out.failure = "Z at the upstream state cannot be computed";
  }
  return out;
}

const char* MethodKey(MethodId id) {
  switch (id) {
    case MethodId::kMartin:
      return "martin";
    case MethodId::kVermes:
      return "vermes";
    case MethodId::kToothByTooth:
      return "tooth-by-tooth";
    case MethodId::kRealGasToothByTooth:
      break;
  }
  return "tooth-by-tooth-real-gas";
}

const char* MethodName(MethodId id) {
  switch (id) {
    case MethodId::kMartin:
      return "Martin";
    case MethodId::kVermes:
      return "Martin-Vermes";
    case MethodId::kToothByTooth:
      return "Tooth by tooth";
    case MethodId::kRealGasToothByTooth:
      break;
  }
  return "Tooth by tooth (real gas)";
}

const char* GammaSourceKey(GammaSource source) {
  return source == GammaSource::kGiven ? "given" : "gas";
}

CaseGamma GammaOfCase(std::optional<double> given, const LabyInputs& inputs,
                      const UnitChoice& units, const GasMixture& gas) {
  CaseGamma out;
  out.source = given ? GammaSource::kGiven : GammaSource::kGas;
  try {
    out.value = given ? *given : IdealGasGamma(gas, units.ConvertTemperature(inputs.temp_up, "AR"));
  } catch (const CalculationError&) {
    out.value = 0;
  }
  if (!(std::isfinite(out.value) && out.value > 1)) {
    out.value = 0;
    out.failure = given ? "Gamma (cp/cv) must be above 1"
                        : "The gas gives no ratio of specific heats above 1 at the upstream "
                          "temperature";
  }
  return out;
}

LegacyStatus LegacyStatusOf(LabyOutcome::Status status) {
  switch (status) {
    case LabyOutcome::Status::kDone:
      return LegacyStatus::kOk;
    case LabyOutcome::Status::kFieldCheckFailed:
      return LegacyStatus::kRange;
    case LabyOutcome::Status::kStopped:
      return LegacyStatus::kStop;
    case LabyOutcome::Status::kCalculationError:
      break;
  }
  return LegacyStatus::kError;
}

const char* LegacyStatusKey(LegacyStatus status) {
  switch (status) {
    case LegacyStatus::kOk:
      return "ok";
    case LegacyStatus::kRange:
      return "range";
    case LegacyStatus::kStop:
      return "stop";
    case LegacyStatus::kError:
      break;
  }
  return "error";
}

SealCase SealCaseOf(const LabyInputs& in, const UnitChoice& units, double molar_mass,
                    double gamma) {
  const auto length = [&](double v) { return units.ConvertLength(v, "AE") * kMetresPerInch; };
  SealCase s;
  s.kind = in.laby_type == 1 ? SealKind::kSeeThrough : SealKind::kInterlocking;
  s.seal_diameter = length(in.seal_dia);
  s.clearance = length(in.seal_rad_clear);
  s.pitch = length(in.tooth_spc);
  s.tooth_thickness = length(in.tooth_thk);
  s.teeth = in.tooth_no;
  s.pressure_up = units.ConvertPressure(in.press_up, "AE") * kPascalPerPsi;
  s.pressure_down = units.ConvertPressure(in.press_down, "AE") * kPascalPerPsi;
  s.temperature_up = units.ConvertTemperature(in.temp_up, "AR") / kRankinePerKelvin;
  s.molar_mass = molar_mass;
  s.gamma = gamma;
  return s;
}

MethodComparison CompareMethods(const LabyInputs& inputs, const UnitChoice& units,
                                const GasEngine& engine, std::optional<double> gamma,
                                bool real_gas) {
  MethodComparison out;
  out.units = units;
  out.inputs = inputs;
  out.real_gas = real_gas;
  out.legacy = RunLegacy(inputs, units, engine);

  RecordingMessageService messages;
  GasEngine quiet(engine, messages);
  const WorkedMethods worked = WorkMethods(inputs, units, quiet, messages, gamma, real_gas);
  out.gamma = worked.gamma;
  out.z_up = worked.z_up;
  for (size_t k = 0; k < out.methods.size(); ++k) {
    ComparedMethod& m = out.methods[k];
    m.id = kMethodIds[k];
    m.result = worked.results[k];
    ToUserUnits(m, inputs, worked.seal, units, out.legacy.results.laby_flow,
                out.legacy.status == LegacyStatus::kOk);
  }
  if (real_gas) {
    ComparedMethod m;
    m.id = MethodId::kRealGasToothByTooth;
    m.result = RealGasOf(worked, quiet).method;
    ToUserUnits(m, inputs, worked.seal, units, out.legacy.results.laby_flow,
                out.legacy.status == LegacyStatus::kOk);
    out.real_gas_tooth_by_tooth = m;
  }
  return out;
}

MethodFlows MethodMassFlows(const LabyInputs& inputs, const UnitChoice& units, GasEngine& engine,
                            const RecordingMessageService& messages, std::optional<double> gamma,
                            bool real_gas) {
  const WorkedMethods worked = WorkMethods(inputs, units, engine, messages, gamma, real_gas);
  MethodFlows flows;
  for (size_t k = 0; k < flows.size(); ++k) {
    if (!worked.results[k].ok()) continue;
    try {
      flows[k] = UserMassFlow(worked.results[k], units);
    } catch (const CalculationError&) {
      // No flow, as the comparison has none when the conversion fails.
    }
  }
  return flows;
}

MethodResult WorkMethod(MethodId id, const LabyInputs& inputs, const UnitChoice& units,
                        GasEngine& engine, const RecordingMessageService& messages,
                        std::optional<double> gamma, bool real_gas) {
  if (id == MethodId::kRealGasToothByTooth) {
    return WorkRealGasToothByTooth(inputs, units, engine, messages, gamma).method;
  }
  WorkedMethods worked = WorkMethods(inputs, units, engine, messages, gamma, real_gas, id);
  for (size_t k = 0; k < kMethodIds.size(); ++k) {
    if (kMethodIds[k] == id) return std::move(worked.results[k]);
  }
  return MethodResult{};
}

RealGasToothByToothResult WorkRealGasToothByTooth(const LabyInputs& inputs, const UnitChoice& units,
                                                  GasEngine& engine,
                                                  const RecordingMessageService& messages,
                                                  std::optional<double> gamma) {
  const WorkedMethods worked =
      WorkMethods(inputs, units, engine, messages, gamma, true, MethodId::kRealGasToothByTooth);
  return RealGasOf(worked, engine);
}

}  // namespace torvane
