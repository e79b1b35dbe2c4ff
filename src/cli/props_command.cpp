#include "cli/props_command.h"

#include <cstdio>
#include <ostream>

#include "cli/case_options.h"
#include "cli/json_writer.h"
#include "engine/gas_engine.h"
#include "thermo/property_units.h"

namespace torvane::cli {
namespace {

constexpr const char kFallbackMessage[] =
    "Z does not settle here: the properties are those of the ideal gas (Z = 1)";
constexpr const char kRaisedMessage[] = "Below 200 deg R the properties are those at 200 deg R";
constexpr const char kNoViscosityMessage[] = "The gas gives no viscosity here";

// The unit system of --units: english (the default), si or metric.
UnitChoice PropsUnits(const Options& o) {
  UnitChoice units;
  units.ApplyUnitChoice(UnitsPreset(o.Text("units").value_or("english")));
  return units;
}

std::string Plain(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

int Props(const std::vector<std::string>& args, std::ostream& out, StreamMessages& messages) {
  const Options o = Options::Parse(
      args, {"gas", "case", "section", "pressure", "temperature", "units"}, {"json"});
  CheckGasSourceOptions(o);
  const UnitChoice units = PropsUnits(o);
  const double pressure = o.RequiredNumber("pressure");
  const double temperature = o.RequiredNumber("temperature");
  GasEngine engine(messages);
  LoadGasSource(o, engine);

  const CaloricGas gas(engine.CurrentMixture());
  const GasProperties p =
      PropertiesAt(gas, PressureToPsia(pressure, units), TemperatureToRankine(temperature, units));
  if (p.needs_message) messages.Show(kMaxZIterationsMessage);
  if (p.ideal_fallback) messages.Show(kFallbackMessage);
  if (p.temperature_raised) messages.Show(kRaisedMessage);
  const std::optional<double> viscosity = StateViscosity(ViscosityGasOf(gas.mixture()), p);
  if (!viscosity) messages.Show(kNoViscosityMessage);
  const UserProperties u = ToUserUnits(p, units, viscosity);
  const PropertyUnitLabels l = PropertyUnitsOf(units);

  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    j.Key("units").BeginObject();
    j.Key("pressure").String(l.pressure);
    j.Key("temperature").String(l.temperature);
    j.Key("specific_volume").String(l.specific_volume);
    j.Key("heat_capacity").String(l.heat_capacity);
    j.Key("molar_heat_capacity").String(l.molar_heat_capacity);
    j.Key("enthalpy").String(l.enthalpy);
    j.Key("entropy").String(l.entropy);
    j.Key("velocity").String(l.velocity);
    j.Key("viscosity").String(l.viscosity);
    j.Key("joule_thomson").String(l.joule_thomson);
    j.EndObject();
    j.Key("z").Number(u.z);
    j.Key("z_solver").Number(u.z_solver);
    j.Key("ideal_fallback").Bool(p.ideal_fallback);
    j.Key("molar_mass").Number(u.molar_mass);
    j.Key("specific_volume").Number(u.specific_volume);
    j.Key("cp").Number(u.cp);
    j.Key("cv").Number(u.cv);
    j.Key("cp_molar").Number(u.cp_molar);
    j.Key("gamma").Number(u.gamma);
    j.Key("kappa").Number(u.kappa);
    j.Key("speed_of_sound").Number(u.speed_of_sound);
    j.Key("joule_thomson").Number(u.joule_thomson);
    j.Key("enthalpy").Number(u.enthalpy);
    j.Key("entropy").Number(u.entropy);
    j.Key("viscosity");
    if (u.viscosity) {
      j.Number(*u.viscosity);
    } else {
      j.Null();
    }
    MessagesField(j, messages);
    j.EndObject();
    out << j.str() << '\n';
    return kExitOk;
  }
  const auto line = [&out](const char* name, double value, const std::string& unit) {
    out << name << std::string(24 - std::string(name).size(), ' ') << Plain(value)
        << (unit.empty() ? "" : " " + unit) << '\n';
  };
  line("Z", u.z, "");
  line("Z of the solver", u.z_solver, "");
  line("Molar mass", u.molar_mass, "lb/lbmol");
  line("Specific volume", u.specific_volume, l.specific_volume);
  line("cp", u.cp, l.heat_capacity);
  line("cv", u.cv, l.heat_capacity);
  line("cp, molar", u.cp_molar, l.molar_heat_capacity);
  line("Gamma (cp/cv)", u.gamma, "");
  line("Isentropic exponent", u.kappa, "");
  line("Speed of sound", u.speed_of_sound, l.velocity);
  line("Joule-Thomson", u.joule_thomson, l.joule_thomson);
  line("Enthalpy", u.enthalpy, l.enthalpy);
  line("Entropy", u.entropy, l.entropy);
  if (u.viscosity) line("Viscosity", *u.viscosity, l.viscosity);
  return kExitOk;
}

}  // namespace

const CliCommand kPropsCommand{
    "props",
    "GAS [--units english|si|metric]\n--pressure P --temperature T [--json]",
    "The caloric properties of a gas at a pressure and a temperature from the equation of\n"
    "state and the components' ideal-gas heat capacities: Z, specific volume, cp and cv,\n"
    "their ratio, the isentropic exponent, the speed of sound, the Joule-Thomson coefficient,\n"
    "enthalpy and entropy (reference: the ideal gas at 298.15 K and 1 atm), and the viscosity\n"
    "(Lucas with the dense-gas correction, at the state's density). Where the Z solver\n"
    "falls back to Z = 1 the properties are those of the ideal gas, and the answer says so.",
    "  --pressure P               pressure, in the pressure unit of --units\n"
    "  --temperature T            temperature, in the temperature unit of --units; below\n"
    "                             200 degR the properties are those at 200 degR\n"
    "  --units english|si|metric  english (psia, deg F, ft3/lb, BTU/lb-R, BTU/lb, ft/sec,\n"
    "                             lb/ft-sec), si (Bar a, deg C, m3/kg, kJ/kg-K, kJ/kg, m/sec,\n"
    "                             mPa-sec) or metric (kg/cm2 a, deg C, m3/kg, kcal/kg-K,\n"
    "                             kcal/kg, m/sec, mPa-sec); default english\n"
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Props(args, io.out, io.messages);
    }};

}  // namespace torvane::cli
