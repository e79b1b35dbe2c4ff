#include "dynamics/dynamics_calculation.h"

#include <cmath>

#include "platform/errors.h"
#include "thermo/gas_viscosity.h"
#include "units/si_factors.h"

namespace torvane {
namespace {

// 1 lb/(ft s) in Pa s, the internal viscosity unit.
constexpr double kPascalSecondsPerInternal = kKilogramsPerPound / kMetresPerFoot;
// 1 lbf/in in N/m (and 1 lbf-s/in in N s/m).
constexpr double kNewtonsPerMetrePerEnglish = kNewtonsPerPoundForce / kMetresPerInch;

bool EnglishLengths(const UnitChoice& units) { return units.Index(Quantity::kLength) == 0; }

}  // namespace

std::string StiffnessUnit(const UnitChoice& units) {
  return EnglishLengths(units) ? "lbf/in" : "N/m";
}

std::string DampingUnit(const UnitChoice& units) {
  return EnglishLengths(units) ? "lbf-s/in" : "N-s/m";
}

DynamicsCalculation::Converted DynamicsCalculation::Convert(const LabyInputs& inputs,
                                                            const UnitChoice& units,
                                                            const GasMixture& gas,
                                                            const DynamicsOptions& o,
                                                            const std::optional<CaseGamma>& gamma) {
  Converted out;
  DynamicsCase& c = out.dynamics_case;
  if (gamma && !gamma->ok()) out.failure = gamma->failure;
  try {
    c.seal = SealCaseOf(inputs, units, gas.mix_mol_weight, gamma && gamma->ok() ? gamma->value : 0);
    c.tooth_height = units.ConvertLength(o.tooth_height, "AE") * kMetresPerInch;
    const auto viscosity = [&](double v) {
      return CheckedDiv(v, units.Factor(Quantity::kViscosity), "viscosity") *
             kPascalSecondsPerInternal;
    };
    c.viscosity.kind = o.viscosity_law;
    switch (o.viscosity_law) {
      case ViscosityLawKind::kGas:
        c.viscosity.gas = ViscosityGasOf(gas);
        break;
      case ViscosityLawKind::kSutherland:
        for (size_t k = 0; k < c.viscosity.references.size(); ++k) {
          c.viscosity.references[k].temperature =
              units.ConvertTemperature(o.references[k].temperature, "AR") / kRankinePerKelvin;
          c.viscosity.references[k].viscosity = viscosity(o.references[k].viscosity);
        }
        break;
      case ViscosityLawKind::kConstant:
        c.viscosity.constant = viscosity(o.viscosity);
        break;
    }
  } catch (const CalculationError&) {
    if (out.failure.empty()) out.failure = "An input cannot be converted to SI units";
  }
  c.teeth_on = o.teeth_on;
  c.preswirl = o.preswirl;
  c.whirl_ratio = o.whirl_ratio;
  c.jenny_kanki = o.jenny_kanki;
  return out;
}

DynamicsCalculation::DynamicsCalculation(const LabyInputs& inputs, const UnitChoice& units,
                                         const GasMixture& gas, const DynamicsOptions& options)
    : units_(units),
      inputs_(inputs),
      options_(options),
      gamma_(options.real_gas ? std::nullopt
                              : std::optional(GammaOfCase(options.gamma, inputs, units, gas))),
      converted_(Convert(inputs, units, gas, options, gamma_)),
      model_(Model(converted_, gas, options.real_gas)) {
  const MethodResult& r = model_.leakage();
  if (!converted_.failure.empty()) {
    leakage_.message = converted_.failure;
    return;
  }
  if (!r.ok()) {
    leakage_.message = r.message;
    return;
  }
  try {
    const double pounds_per_minute = r.mass_flow / kKilogramsPerPound * 60;
    leakage_.mass_flow = Checked(units.ConvertMassFlow(pounds_per_minute, "EA"), "leakage");
    leakage_.choked = r.choked;
    leakage_.ok = true;
  } catch (const CalculationError& e) {
    leakage_.message = std::string("Calculation error: ") + e.what();
  }
}

SealDynamics DynamicsCalculation::Model(const Converted& converted, const GasMixture& gas,
                                        bool real_gas) {
  if (!converted.failure.empty()) {
    MethodResult none;
    none.message = converted.failure;
    return SealDynamics(converted.dynamics_case, none, SealFlow{});
  }
  if (!real_gas) return SealDynamics(converted.dynamics_case);
  try {
    return RealGasSealDynamics(converted.dynamics_case, CaloricGas(gas));
  } catch (const CalculationError& e) {
    MethodResult none;
    none.message = std::string("Calculation error: ") + e.what();
    return SealDynamics(converted.dynamics_case, none, SealFlow{});
  }
}

SpeedAnswer DynamicsCalculation::AtSpeed(double rpm) const {
  SpeedAnswer a;
  a.speed = std::isfinite(rpm) ? rpm : 0;
  a.whirl_frequency = std::isfinite(rpm * options_.whirl_ratio) ? rpm * options_.whirl_ratio : 0;
  if (!converted_.failure.empty()) {
    a.status = DynamicsStatus::kInvalidInput;
    a.message = converted_.failure;
    return a;
  }
  const SpeedDynamics r = model_.AtSpeed(rpm);
  a.status = r.status;
  a.message = r.message;
  if (!r.ok()) return a;
  a.whirl_frequency = r.whirl_frequency;
  try {
    const UnitChoice& u = units_;
    const double per_si = EnglishLengths(u) ? 1 / kNewtonsPerMetrePerEnglish : 1.0;
    const auto stiffness = [&](double v) { return Checked(v * per_si, "stiffness"); };
    const RotordynamicCoefficients& k = r.coefficients;
    RotordynamicCoefficients& out = a.coefficients;
    out.kxx = stiffness(k.kxx);
    out.kxy = stiffness(k.kxy);
    out.kyx = stiffness(k.kyx);
    out.kyy = stiffness(k.kyy);
    out.cxx = stiffness(k.cxx);
    out.cxy = stiffness(k.cxy);
    out.cyx = stiffness(k.cyx);
    out.cyy = stiffness(k.cyy);
    a.effective_stiffness = stiffness(r.effective_stiffness);
    if (r.effective_damping) a.effective_damping = stiffness(*r.effective_damping);
    a.whirl_frequency_ratio = r.whirl_frequency_ratio;

    const auto velocity = [&](double v) {
      return Checked(v / kMetresPerFoot * u.Factor(Quantity::kVelocity), "velocity");
    };
    const auto stress = [&](double pa) { return u.ConvertPressure(pa / kPascalPerPsi, "EA"); };
    a.surface_speed = velocity(r.surface_speed);
    // Cavity pressures and temperatures as fractions of the upstream state, as the comparison
    // converts the stations of tooth by tooth.
    const SealCase& seal = model_.input().seal;
    const double rankine_up = u.ConvertTemperature(inputs_.temp_up, "AR");
    for (const CavityDynamics& c : r.cavities) {
      CavityAnswer ca;
      ca.pressure = Checked(inputs_.press_up * (c.pressure / seal.pressure_up), "cavity pressure");
      ca.temperature =
          u.ConvertTemperature(rankine_up * (c.temperature / seal.temperature_up), "RA");
      ca.swirl = velocity(c.swirl);
      if (r.surface_speed > 0) ca.swirl_ratio = c.swirl / r.surface_speed;
      ca.shear_rotor = Checked(stress(c.shear_rotor), "shear");
      ca.shear_stator = Checked(stress(c.shear_stator), "shear");
      ca.viscosity = Checked(
          c.viscosity / kPascalSecondsPerInternal * u.Factor(Quantity::kViscosity), "viscosity");
      a.cavities.push_back(ca);
    }
  } catch (const CalculationError& e) {
    a = SpeedAnswer{};
    a.speed = r.speed;
    a.whirl_frequency = r.whirl_frequency;
    a.status = DynamicsStatus::kCalculationError;
    a.message = std::string("Calculation error: ") + e.what();
  }
  return a;
}

}  // namespace torvane
