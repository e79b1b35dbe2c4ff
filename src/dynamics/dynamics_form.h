// The rotordynamics window's rules without a window: the entries it opens with, what is
// enabled, the reading of its entries into the dynamics options and speeds, the run over the
// speeds, the captions with their units, the table of speeds, the curves of its plots and the
// texts of its summary and the report page.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "dynamics/dynamics_calculation.h"

namespace torvane {

inline constexpr const char kDynamicsWindowCaption[] = "Rotordynamic Coefficients";

// The option lists of the window, in the option-list control's contents form.
inline constexpr const char kTeethOnCaption[] = "Teeth on";
inline constexpr const char kTeethOnContents[] = "0;Stator\r\n1;Rotor";
inline constexpr const char kViscosityLawCaption[] = "Viscosity";
inline constexpr const char kViscosityLawContents[] =
    "0;From the gas\r\n1;Sutherland's law\r\n2;Constant";

// The most speeds the window works; the calculator takes up to 100,000.
inline constexpr std::int64_t kMaxWindowSpeeds = 10'000;
// The speed range a window opens with.
inline constexpr double kOpeningTopSpeed = 20'000;
inline constexpr std::int64_t kOpeningSpeedCount = 41;

// The boxes of the window that take a typed value.
enum class DynamicsBox {
  kNone,
  kToothHeight,
  kPreswirl,
  kSpeedFrom,
  kSpeedTo,
  kSpeedCount,
  kWhirlRatio,
  kViscosity,
  kTemperature1,
  kViscosity1,
  kTemperature2,
  kViscosity2,
};

// What the window holds when the user asks for a calculation; nothing where a box is not a
// number. The list indices are those of the option lists above.
struct DynamicsEntries {
  std::optional<double> tooth_height;  // length unit
  int teeth_on = 0;
  std::optional<double> preswirl = kDefaultPreswirl;
  std::optional<double> speed_from = 0;  // rpm
  std::optional<double> speed_to = kOpeningTopSpeed;
  std::int64_t speed_count = kOpeningSpeedCount;
  std::optional<double> whirl_ratio = kDefaultWhirlRatio;
  std::optional<double> gamma;  // nothing: the gas's own (GammaOfCase)
  bool real_gas = false;
  int viscosity_law = 0;
  std::optional<double> viscosity;                      // viscosity unit
  std::array<std::optional<double>, 2> temperatures{};  // temperature unit
  std::array<std::optional<double>, 2> viscosities{};   // viscosity unit
  bool jenny_kanki = false;
};

// The options and speeds of the entries, or the message for the user and the box to go back to.
struct DynamicsEntryCheck {
  DynamicsOptions options;
  std::vector<double> speeds;  // rpm
  std::string problem;
  DynamicsBox focus = DynamicsBox::kNone;
  bool ok() const { return problem.empty(); }
};
DynamicsEntryCheck CheckDynamicsEntries(const DynamicsEntries& entries, int laby_type);

// "Teeth on" is for straight labyrinths only.
bool TeethOnEnabled(int laby_type);
// The viscosity boxes of the chosen law: the constant's box, or the two reference states.
bool ViscosityBoxEnabled(DynamicsBox box, int viscosity_law);

// The unit a box is typed in ("in", "rpm", "deg F", "cP"); empty for a ratio.
std::string DynamicsBoxUnit(DynamicsBox box, const UnitChoice& units);

// One calculation of the window: the leakage once, then every speed.
struct DynamicsResults {
  UnitChoice units;
  LabyInputs inputs;
  DynamicsOptions options;
  std::optional<CaseGamma> gamma;  // the ideal gas's; nothing for the real gas
  LeakageAnswer leakage;
  std::vector<SpeedAnswer> speeds;

  int failed() const;
};
DynamicsResults RunDynamics(const LabyInputs& inputs, const UnitChoice& units,
                            const GasMixture& gas, const DynamicsOptions& options,
                            std::span<const double> speeds);

// The labyrinth case in one line, as the comparison gives it: "Stepped labyrinth, 8 teeth,
// 500.00 to 100.00 psia, 100.0 deg F".
std::string DynamicsCaseText(const LabyInputs& inputs, const UnitChoice& units);

// Copy, the exports and the report page are there once a calculation has speeds to show.
bool DynamicsExportsEnabled(const DynamicsResults* results);

// "41 speeds, 0 failed; leakage 12.3 lb/min" (", choked" when it is), or the leakage's
// message when it failed.
std::string DynamicsSummary(const DynamicsResults& results);
// The inputs beyond the labyrinth's in one line: "Tooth height 0.125 in, preswirl 0.5, whirl
// ratio 1, gamma 1.297 from the gas, viscosity from the gas" ("gamma 1.300" as given, "real
// gas" for the real gas's cavity states; and "teeth on the stator", "Jenny-Kanki").
std::string DynamicsBasisText(const DynamicsResults& results);

// The table of speeds: "Speed (rpm)", "Whirl frequency (rpm)", "kxx (N/m)" .. "cyy (N-s/m)",
// "Effective stiffness (N/m)", "Effective damping (N-s/m)", "Whirl frequency ratio", "Status",
// "Message".
std::vector<std::string> DynamicsTableHeaders(const UnitChoice& units);
// How many columns, from the first, hold numbers.
int DynamicsTableNumberColumns();
// A cell's text: six significant digits; empty for a figure a failed speed or the speed does not
// have; the status "ok" or "failed".
std::string DynamicsTableCell(const SpeedAnswer& speed, int column);
// The whole table as tab-separated lines, the header first, for the clipboard.
std::string DynamicsTableText(const DynamicsResults& results);
// The whole calculation as CSV text, as torvane-cli dynamics --csv writes it.
std::string DynamicsCsv(const DynamicsResults& results);

// The plotted figures against speed.
enum class DynamicsFigure {
  kDirectStiffness,      // K = kxx
  kCrossStiffness,       // k = kxy
  kDirectDamping,        // C = cxx
  kCrossDamping,         // c = cxy
  kEffectiveDamping,     // C - k/w
  kWhirlFrequencyRatio,  // k / (C w)
};
// "K = kxx", "k = kxy", "C = cxx", "c = cxy", "Effective damping", "Whirl frequency ratio".
std::string FigureName(DynamicsFigure figure);
// The figure of a speed in its unit, or nothing (a failed speed, an undefined figure).
std::optional<double> FigureValue(const SpeedAnswer& speed, DynamicsFigure figure);

// The plots' axis titles: "Rotor speed (rpm)", "Stiffness (N/m)", "Damping (N-s/m)",
// "Effective damping (N-s/m)", "Whirl frequency ratio", "Swirl ratio V/U", "Station (0 inlet, 1..
// cavities)".
std::string SpeedAxisTitle();
std::string StiffnessAxisTitle(const UnitChoice& units);
std::string DampingAxisTitle(const UnitChoice& units);
std::string EffectiveDampingAxisTitle(const UnitChoice& units);
std::string WhirlFrequencyRatioAxisTitle();
std::string SwirlRatioAxisTitle();
std::string CavityAxisTitle();

struct DynamicsPoint {
  double x = 0;
  double y = 0;
  bool operator==(const DynamicsPoint&) const = default;
};
// A figure against speed: runs of speeds in their order where the figure is defined; a speed
// without it ends a run.
std::vector<std::vector<DynamicsPoint>> FigureCurve(std::span<const SpeedAnswer> speeds,
                                                    DynamicsFigure figure);
// The swirl ratio V/U at the inlet (station 0, the preswirl ratio) and in cavities 1..N-1 at a
// speed; empty at rest or for a failed speed.
std::vector<DynamicsPoint> SwirlProfile(const SpeedAnswer& speed, double preswirl);
// "8,000 rpm" for the list of speeds of the swirl plot.
std::string SpeedText(double rpm);

}  // namespace torvane
