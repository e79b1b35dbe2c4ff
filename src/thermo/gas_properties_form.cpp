#include "thermo/gas_properties_form.h"

#include <algorithm>
#include <cmath>

#include "platform/errors.h"
#include "units/number_format.h"

namespace torvane {
namespace {

constexpr char kFallbackNote[] =
    "Z does not settle here: the properties are those of the ideal gas (Z = 1)";
constexpr char kRaisedNote[] = "below 200 deg R the properties are those at 200 deg R";

std::string Cell(const std::optional<double>& v) {
  return v ? ShortestGeneral(*v, 6) : std::string("-");
}

std::string NotANumber(const char* box) { return std::string("the ") + box + " is not a number"; }

// The least round number (1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of ten) at or above
// v > 0: the top of the pressure axis.
double RoundUp(double v) {
  const double decade = std::pow(10.0, std::floor(std::log10(v)));
  for (const double m : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0}) {
    if (m * decade >= v) return m * decade;
  }
  return 10 * decade;
}

}  // namespace

GasPropertiesForm::GasPropertiesForm(const GasMixture& gas, const UnitChoice& units,
                                     const LabyrinthStates& states)
    : gas_(gas), units_(units), states_(states), viscosity_(ViscosityGasOf(gas)) {
  try {
    caloric_.emplace(gas_);
  } catch (const CalculationError& e) {
    no_caloric_ = std::string("the gas has no caloric properties: ") + e.what();
  }
  StateProperties& up = columns_[static_cast<size_t>(StateColumn::kUpstream)];
  StateProperties& down = columns_[static_cast<size_t>(StateColumn::kDownstream)];
  if (!states.pressure_up) {
    up.problem = NotANumber("upstream pressure");
  } else if (!states.temperature_up) {
    up.problem = NotANumber("upstream temperature");
  } else {
    up = Work(*states.pressure_up, *states.temperature_up);
  }
  if (!up.problem.empty()) {
    down.problem = "it follows from the upstream state";
  } else if (!states.pressure_down) {
    down.problem = NotANumber("downstream pressure");
  } else {
    down = Throttled(*states.pressure_down);
  }
  SetTyped(std::nullopt, std::nullopt);
  WorkCurves();
}

StateProperties GasPropertiesForm::Work(double pressure, double temperature) const {
  StateProperties out;
  if (!caloric_) {
    out.problem = no_caloric_;
    return out;
  }
  try {
    const double psia = PressureToPsia(pressure, units_);
    if (!(psia > 0)) {
      out.problem = "the pressure must be above 0";
      return out;
    }
    const GasProperties p =
        PropertiesAt(*caloric_, psia, TemperatureToRankine(temperature, units_));
    out.values = ToUserUnits(p, units_, StateViscosity(viscosity_, p));
    out.ideal_gamma = caloric_->ideal().Gamma(p.temperature);
    out.ideal_fallback = p.ideal_fallback;
    out.temperature_raised = p.temperature_raised;
  } catch (const CalculationError& e) {
    out = StateProperties{};
    out.problem = std::string("the properties cannot be computed here: ") + e.what();
  }
  return out;
}

StateProperties GasPropertiesForm::Throttled(double pressure) const {
  StateProperties out;
  try {
    const double psia = PressureToPsia(pressure, units_);
    if (!(psia > 0)) {
      out.problem = "the pressure must be above 0";
      return out;
    }
    const GasProperties from = PropertiesAt(*caloric_, PressureToPsia(*states_.pressure_up, units_),
                                            TemperatureToRankine(*states_.temperature_up, units_));
    const GasProperties p = ThrottledState(*caloric_, from, psia);
    out.values = ToUserUnits(p, units_, StateViscosity(viscosity_, p));
    out.ideal_gamma = caloric_->ideal().Gamma(p.temperature);
    out.ideal_fallback = p.ideal_fallback;
  } catch (const CalculationError& e) {
    out = StateProperties{};
    out.problem = std::string("no state of the upstream enthalpy is found: ") + e.what();
  }
  return out;
}

void GasPropertiesForm::SetTyped(std::optional<double> pressure,
                                 std::optional<double> temperature) {
  StateProperties& typed = columns_[static_cast<size_t>(StateColumn::kTyped)];
  if (!pressure || !temperature) {
    typed = StateProperties{};
    typed.problem = !pressure && !temperature ? "type a pressure and a temperature"
                    : !pressure               ? NotANumber("pressure typed")
                                              : NotANumber("temperature typed");
    return;
  }
  typed = Work(*pressure, *temperature);
}

std::array<std::string, 3> GasPropertiesForm::ColumnHeadings() {
  return {"Upstream", "Downstream", "Typed"};
}

std::vector<PropertyRow> GasPropertiesForm::Rows() const {
  const PropertyUnitLabels l = PropertyUnitsOf(units_);
  std::vector<PropertyRow> rows;
  const auto add = [&](const char* name, const std::string& unit, auto get) {
    PropertyRow row{name, unit, {}};
    for (size_t k = 0; k < columns_.size(); ++k) {
      const StateProperties& s = columns_[k];
      row.cells[k] = s.values ? Cell(get(s)) : std::string("-");
    }
    rows.push_back(row);
  };
  const auto field = [](double UserProperties::*f) {
    return [f](const StateProperties& s) { return std::optional<double>((*s.values).*f); };
  };
  add("Pressure", l.pressure, field(&UserProperties::pressure));
  add("Temperature", l.temperature, field(&UserProperties::temperature));
  add("Z", "", field(&UserProperties::z));
  add("Z of the solver", "", field(&UserProperties::z_solver));
  add("Specific volume", l.specific_volume, field(&UserProperties::specific_volume));
  add("cp", l.heat_capacity, field(&UserProperties::cp));
  add("cv", l.heat_capacity, field(&UserProperties::cv));
  add("cp, molar", l.molar_heat_capacity, field(&UserProperties::cp_molar));
  add("Gamma (cp/cv)", "", field(&UserProperties::gamma));
  add("Ideal-gas cp0/cv0", "",
      [](const StateProperties& s) { return std::optional<double>(s.ideal_gamma); });
  add("Isentropic exponent", "", field(&UserProperties::kappa));
  add("Speed of sound", l.velocity, field(&UserProperties::speed_of_sound));
  add("Joule-Thomson", l.joule_thomson, field(&UserProperties::joule_thomson));
  add("Enthalpy", l.enthalpy, field(&UserProperties::enthalpy));
  add("Entropy", l.entropy, field(&UserProperties::entropy));
  add("Viscosity", l.viscosity, [](const StateProperties& s) { return s.values->viscosity; });
  return rows;
}

std::string GasPropertiesForm::GasText() const {
  return "Molar mass " + FormatNumber(gas_.mix_mol_weight, MolWeightFormat(gas_.mix_mol_weight)) +
         " lb/lbmol";
}

std::string GasPropertiesForm::DownstreamText() {
  return "Downstream: the downstream pressure at the upstream enthalpy, the gas as it leaves "
         "the seal.";
}

std::vector<std::string> GasPropertiesForm::Notes() const {
  std::vector<std::string> notes;
  const std::array<std::string, 3> headings = ColumnHeadings();
  for (size_t k = 0; k < columns_.size(); ++k) {
    const StateProperties& s = columns_[k];
    const std::string& h = headings[k];
    if (!s.problem.empty()) {
      if (k == static_cast<size_t>(StateColumn::kTyped) && s.problem.rfind("type a", 0) == 0) {
        continue;  // nothing typed yet: nothing to say
      }
      notes.push_back(h + ": " + s.problem);
      continue;
    }
    if (s.ideal_fallback) notes.push_back(h + ": " + kFallbackNote);
    if (s.temperature_raised) notes.push_back(h + ": " + kRaisedNote);
    if (s.values && !s.values->viscosity) notes.push_back(h + ": the gas gives no viscosity here");
  }
  return notes;
}

void GasPropertiesForm::WorkCurves() {
  PropertyCurves& c = curves_;
  const PropertyUnitLabels l = PropertyUnitsOf(units_);
  c.pressure_axis = "Pressure (" + l.pressure + ")";
  c.ratio_axis = "Z, isentropic exponent";
  c.sound_axis = "Speed of sound (" + l.velocity + ")";
  if (!caloric_) {
    c.problem = "No curves: " + no_caloric_;
    return;
  }
  if (!states_.temperature_up) {
    c.problem = "No curves: the upstream temperature is not a number";
    return;
  }
  const double highest =
      1.25 * std::max(states_.pressure_up.value_or(0), states_.pressure_down.value_or(0));
  if (!(highest > 0) || !std::isfinite(highest)) {
    c.problem = "No curves: the upstream and downstream pressures give no range";
    return;
  }
  const double top = RoundUp(highest);
  c.title = "At " + ShortestGeneral(*states_.temperature_up, 6) + " " + l.temperature;
  bool joined = false;  // the point before was worked
  for (int i = 1; i <= kCurvePoints; ++i) {
    const double p = top * i / kCurvePoints;
    std::optional<GasProperties> at;
    std::optional<UserProperties> u;
    try {
      at = PropertiesAt(*caloric_, PressureToPsia(p, units_),
                        TemperatureToRankine(*states_.temperature_up, units_));
      if (!at->ideal_fallback) u = ToUserUnits(*at, units_);
    } catch (const CalculationError&) {
      u.reset();
    }
    if (!u) {
      joined = false;
      continue;
    }
    for (auto [curve, y] : {std::pair{&c.z, u->z}, std::pair{&c.kappa, u->kappa},
                            std::pair{&c.speed_of_sound, u->speed_of_sound}}) {
      if (!joined) curve->emplace_back();
      curve->back().push_back({p, y});
    }
    joined = true;
  }
  if (c.z.empty()) c.problem = "No curves: the gas gives no properties at these pressures";
}

}  // namespace torvane
