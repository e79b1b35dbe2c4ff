// The gas properties window's rules without a window: the properties of the current gas at the
// upstream and downstream states of the labyrinth window's inputs and at a state the user types,
// in the user's units, as a table; the notes on states that could not be worked or are the ideal
// gas's; and the curves of Z, the isentropic exponent and the speed of sound against pressure at
// the upstream temperature.
//
// The downstream state is the downstream pressure at the upstream state's enthalpy: the gas after
// the seal, throttled without exchanging heat or work, so its temperature shows the
// Joule-Thomson effect.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/gas_mixture.h"
#include "thermo/gas_properties.h"
#include "thermo/gas_viscosity.h"
#include "thermo/property_units.h"
#include "units/unit_choice.h"

namespace torvane {

inline constexpr char kGasPropertiesWindowCaption[] = "Gas Properties";
inline constexpr char kGasPropertiesCommandCaption[] = "Gas Properties...";

// The labyrinth window's boxes as they stand; nothing where a box does not hold a number.
struct LabyrinthStates {
  std::optional<double> pressure_up;     // pressure unit
  std::optional<double> temperature_up;  // temperature unit
  std::optional<double> pressure_down;   // pressure unit
};

enum class StateColumn { kUpstream, kDownstream, kTyped };
inline constexpr std::array<StateColumn, 3> kStateColumns = {
    StateColumn::kUpstream, StateColumn::kDownstream, StateColumn::kTyped};

// One state worked: its properties in the user's units, or why there are none.
struct StateProperties {
  std::optional<UserProperties> values;
  double ideal_gamma = 0;  // cp0/cv0 at the state's temperature
  bool ideal_fallback = false;
  bool temperature_raised = false;
  std::string problem;  // why there are no values; empty when there are
};

// One line of the table: the property, its unit (empty for a ratio) and a cell per state ("-"
// where a state has no values).
struct PropertyRow {
  std::string name;
  std::string unit;
  std::array<std::string, 3> cells;
};

struct PropertyPoint {
  double x = 0;
  double y = 0;
  bool operator==(const PropertyPoint&) const = default;
};
// A curve in runs of points; a point that could not be worked, or where the equation of state
// falls back to the ideal gas, ends a run.
using PropertyCurve = std::vector<std::vector<PropertyPoint>>;

// Z, the isentropic exponent and the speed of sound against pressure at the upstream
// temperature, in kCurvePoints steps up to the top pressure: 1.25 times the largest of the
// upstream and downstream pressures, rounded up to 1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a
// power of ten.
struct PropertyCurves {
  std::string title;          // "At 100 deg F"
  std::string pressure_axis;  // "Pressure (psia)"
  std::string ratio_axis;     // "Z, isentropic exponent"
  std::string sound_axis;     // "Speed of sound (ft/sec)"
  PropertyCurve z, kappa, speed_of_sound;
  std::string problem;  // why there are no curves; empty when there are
};

// The number of pressures the curves are worked at.
inline constexpr int kCurvePoints = 120;

class GasPropertiesForm {
 public:
  // Works the upstream and downstream states at once; never throws.
  GasPropertiesForm(const GasMixture& gas, const UnitChoice& units, const LabyrinthStates& states);

  const UnitChoice& units() const { return units_; }
  const LabyrinthStates& states() const { return states_; }
  const StateProperties& State(StateColumn column) const {
    return columns_[static_cast<size_t>(column)];
  }

  // The state the user typed, worked at once; nothing where a box does not hold a number.
  void SetTyped(std::optional<double> pressure, std::optional<double> temperature);

  // "Upstream", "Downstream", "Typed".
  static std::array<std::string, 3> ColumnHeadings();
  // The rows in their order: Pressure, Temperature, Z, Z of the solver, Specific volume, cp, cv,
  // cp molar, Gamma (cp/cv), Ideal-gas cp0/cv0, Isentropic exponent, Speed of sound,
  // Joule-Thomson, Enthalpy, Entropy, Viscosity.
  std::vector<PropertyRow> Rows() const;
  // "Molar mass 17.82 lb/lbmol".
  std::string GasText() const;
  // What the downstream column is.
  static std::string DownstreamText();
  // One line per state without values or with a remark, e.g. "Downstream: the downstream
  // pressure is not a number", "Typed: Z does not settle here: the properties are those of the
  // ideal gas (Z = 1)".
  std::vector<std::string> Notes() const;

  // The curves at the upstream temperature (worked once, when the form is made).
  const PropertyCurves& curves() const { return curves_; }

 private:
  StateProperties Work(double pressure, double temperature) const;
  // The downstream state: pressure at the enthalpy of the upstream state.
  StateProperties Throttled(double pressure) const;
  void WorkCurves();

  GasMixture gas_;
  UnitChoice units_;
  LabyrinthStates states_;
  std::optional<CaloricGas> caloric_;  // nothing where the gas has no heat capacities
  std::string no_caloric_;             // why
  ViscosityGas viscosity_;
  std::array<StateProperties, 3> columns_;
  PropertyCurves curves_;
};

}  // namespace torvane
