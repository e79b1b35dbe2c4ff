// The caloric properties of a state in the user's units: every unit of the unit catalogue's
// pressure, temperature, specific volume, entropy (also for cp and cv per mass), molar heat
// capacity, enthalpy, velocity and viscosity lists, converted with exact factors (the
// international table Btu and calorie: 1 Btu/(lb degR) = 1 kcal/(kg K) = 4.1868 kJ/(kg K),
// 1 Btu/lb = 2.326 kJ/kg; 1 lb/(ft s) = 0.45359237/0.3048 Pa s). The Joule-Thomson coefficient
// is in the temperature unit per pressure unit.
#pragma once

#include <optional>
#include <string>

#include "thermo/gas_properties.h"
#include "thermo/gas_viscosity.h"
#include "units/unit_choice.h"

namespace torvane {

// The labels, without trailing blanks: "psia", "deg F", "ft3/lb", "BTU/lb-R", "BTU/mol-R",
// "BTU/lb", "BTU/lb-R", "ft/sec", "lb/ft-sec", "deg F/psi" in English units.
struct PropertyUnitLabels {
  std::string pressure;
  std::string temperature;
  std::string specific_volume;
  std::string heat_capacity;  // cp and cv per mass: the entropy unit
  std::string molar_heat_capacity;
  std::string enthalpy;
  std::string entropy;
  std::string velocity;
  std::string viscosity;
  std::string joule_thomson;
};

PropertyUnitLabels PropertyUnitsOf(const UnitChoice& units);

// One state in the user's units; the dimensionless properties as they are.
struct UserProperties {
  double pressure = 0;
  double temperature = 0;
  double z = 1;
  double z_solver = 1;
  double molar_mass = 0;  // lb/lbmol = kg/kmol
  double specific_volume = 0;
  double cp = 0;  // per mass
  double cv = 0;
  double cp_molar = 0;
  double gamma = 0;
  double kappa = 0;
  double speed_of_sound = 0;
  double joule_thomson = 0;
  double enthalpy = 0;
  double entropy = 0;
  std::optional<double> viscosity;  // where the gas gives one
};

// The state p in the user's units, with its viscosity (Pa s) where there is one.
UserProperties ToUserUnits(const GasProperties& p, const UnitChoice& units,
                           std::optional<double> viscosity = std::nullopt);

// The viscosity of the state p (Pa s): the gas's law at its temperature and its density from
// the equation of state; nothing where the law gives no viscosity.
std::optional<double> StateViscosity(const ViscosityGas& gas, const GasProperties& p);

// A pressure in the user's unit in psia, and a temperature in the user's unit in degR, exactly.
double PressureToPsia(double value, const UnitChoice& units);
double TemperatureToRankine(double value, const UnitChoice& units);

}  // namespace torvane
