#include "thermo/property_units.h"

#include <array>

#include "platform/errors.h"

namespace torvane {
namespace {

// SI value of one user unit, by the unit's index in its catalogue list.
constexpr std::array<double, 5> kPascalsPer = {kPascalPerPsi, 1e5, 98066.5, 1e3, 1e6};
constexpr std::array<double, 4> kKelvinsPerDegree = {1 / kRankinePerKelvin, 1 / kRankinePerKelvin,
                                                     1, 1};
// ft3/lb = 0.3048^3 m3 / 0.45359237 kg.
constexpr std::array<double, 2> kCubicMetresPerKilogramPer = {0.3048 * 0.3048 * 0.3048 / 0.45359237,
                                                              1};
constexpr std::array<double, 3> kJoulesPerKilogramKelvinPer = {4186.8, 1000, 4186.8};
constexpr std::array<double, 3> kJoulesPerMoleKelvinPer = {4.1868, 1, 4.1868};
constexpr std::array<double, 3> kJoulesPerKilogramPer = {2326, 1000, 4186.8};
constexpr std::array<double, 2> kMetresPerSecondPer = {0.3048, 1};
constexpr std::array<double, 3> kPascalSecondsPer = {0.45359237 / 0.3048, 1e-3, 1e-3};

template <size_t N>
double Per(const std::array<double, N>& table, const UnitChoice& units, Quantity q) {
  const int i = units.Index(q);
  if (i < 0 || i >= static_cast<int>(N)) throw CalculationError("a unit without a factor");
  return table[static_cast<size_t>(i)];
}

std::string Label(const UnitChoice& units, Quantity q) {
  std::string label = units.Label(q);
  label.erase(label.find_last_not_of(' ') + 1);
  return label;
}

}  // namespace

PropertyUnitLabels PropertyUnitsOf(const UnitChoice& units) {
  PropertyUnitLabels l;
  l.pressure = Label(units, Quantity::kPressure);
  l.temperature = Label(units, Quantity::kTemperature);
  l.specific_volume = Label(units, Quantity::kSpecificVolume);
  l.heat_capacity = Label(units, Quantity::kEntropy);
  l.molar_heat_capacity = Label(units, Quantity::kMolarHeatCapacity);
  l.enthalpy = Label(units, Quantity::kEnthalpy);
  l.entropy = l.heat_capacity;
  l.velocity = Label(units, Quantity::kVelocity);
  l.viscosity = Label(units, Quantity::kViscosity);
  // Per pressure difference: psi, not psia.
  l.joule_thomson = l.temperature + "/" + (l.pressure == "psia" ? std::string("psi") : l.pressure);
  return l;
}

UserProperties ToUserUnits(const GasProperties& p, const UnitChoice& units,
                           std::optional<double> viscosity) {
  UserProperties u;
  const double pressure = Per(kPascalsPer, units, Quantity::kPressure);
  const double degree = Per(kKelvinsPerDegree, units, Quantity::kTemperature);
  const double mass_heat = Per(kJoulesPerKilogramKelvinPer, units, Quantity::kEntropy);
  const double molar_heat = Per(kJoulesPerMoleKelvinPer, units, Quantity::kMolarHeatCapacity);
  u.pressure = p.pressure / pressure;
  u.temperature = units.ConvertTemperature(p.temperature * kRankinePerKelvin, "RA");
  u.z = p.z;
  u.z_solver = p.z_solver;
  u.molar_mass = p.molar_mass * 1000;
  u.specific_volume =
      p.specific_volume() / Per(kCubicMetresPerKilogramPer, units, Quantity::kSpecificVolume);
  u.cp = p.cp_mass() / mass_heat;
  u.cv = p.cv_mass() / mass_heat;
  u.cp_molar = p.cp / molar_heat;
  u.gamma = p.gamma;
  u.kappa = p.kappa;
  u.speed_of_sound = p.speed_of_sound / Per(kMetresPerSecondPer, units, Quantity::kVelocity);
  u.joule_thomson = p.joule_thomson / degree * pressure;
  u.enthalpy = p.enthalpy_mass() / Per(kJoulesPerKilogramPer, units, Quantity::kEnthalpy);
  u.entropy = p.entropy_mass() / mass_heat;
  if (viscosity) u.viscosity = *viscosity / Per(kPascalSecondsPer, units, Quantity::kViscosity);
  for (double v :
       {u.pressure, u.temperature, u.specific_volume, u.cp, u.cv, u.cp_molar, u.speed_of_sound,
        u.joule_thomson, u.enthalpy, u.entropy, u.viscosity.value_or(0)}) {
    Checked(v, "properties in the user's units");
  }
  return u;
}

std::optional<double> StateViscosity(const ViscosityGas& gas, const GasProperties& p) {
  try {
    return GasViscosity(gas, p.temperature, p.density);
  } catch (const CalculationError&) {
    return std::nullopt;
  }
}

double PressureToPsia(double value, const UnitChoice& units) {
  return Checked(value * Per(kPascalsPer, units, Quantity::kPressure) / kPascalPerPsi, "pressure");
}

double TemperatureToRankine(double value, const UnitChoice& units) {
  return Checked(units.ConvertTemperature(value, "AR"), "temperature");
}

}  // namespace torvane
