#include "units/unit_catalogue.h"

#include <stdexcept>

namespace torvane {
namespace {

constexpr Unit kInletFlow[] = {{"ICFM", 1},    {"SCFM", 2},    {"MMSCFD", 3}, {"m3/hr", 4},
                               {"dm3/sec", 5}, {"Nm3/hr", 6},  {"lb/min", 7}, {"lb/hr", 8},
                               {"kg/sec", 9},  {"kg/min", 10}, {"kg/hr", 11}};
constexpr Unit kPressure[] = {
    {"psia", 1}, {"Bar a", 0.06895}, {"kg/cm2 a", 0.07031}, {"kPa a", 6.895}, {"MPa a", 0.006895}};
constexpr Unit kTemperature[] = {{"deg F", 1}, {"deg R", 2}, {"deg C", 3}, {"deg K", 4}};
constexpr Unit kEnthalpy[] = {{"BTU/lb", 1}, {"kJ/kg", 2.326}, {"kcal/kg", 0.5556}};
constexpr Unit kEntropy[] = {{"BTU/lb-R", 1}, {"kJ/kg-K", 4.187}, {"kcal/kg-K", 1}};
constexpr Unit kMolarHeatCapacity[] = {{"BTU/mol-R", 1}, {"kJ/kmol-K", 4.187}, {"kcal/mol-K", 1}};
constexpr Unit kVelocity[] = {{"ft/sec", 1}, {"m/sec", 0.3048}};
constexpr Unit kSpecificVolume[] = {{"ft3/lb", 1}, {"m3/kg", 0.06243}};
constexpr Unit kViscosity[] = {{"lb/ft-sec", 1}, {"mPa-sec", 1488.2}, {"Centipoise", 1488.2}};
constexpr Unit kVolumeFlow[] = {{"ft3/min", 1}, {"m3/hr", 1.699}};
constexpr Unit kMassFlow[] = {
    {"lb/min", 1}, {"lb/hr", 60}, {"kg/min", 0.45359}, {"kg/hr", 27.2154}};
constexpr Unit kHead[] = {{"ft-lb/lb", 1}, {"N-m/kg", 2.9891}, {"kg-m/kg", 0.3048}};
constexpr Unit kPower[] = {{"HP", 1}, {"kW", 0.7457}};
constexpr Unit kLength[] = {{"in", 1}, {"mm", 25.4}};

const QuantityUnits kCatalogue[kQuantityCount] = {
    {"IVNum", 10, kInletFlow},   {"PNum", 8, kPressure},         {"TNum", 5, kTemperature},
    {"HNum", 10, kEnthalpy},     {"SNum", 10, kEntropy},         {"CpNum", 10, kMolarHeatCapacity},
    {"VeNum", 10, kVelocity},    {"SVNum", 10, kSpecificVolume}, {"MuNum", 10, kViscosity},
    {"VolNum", 10, kVolumeFlow}, {"WtNum", 10, kMassFlow},       {"HdNum", 10, kHead},
    {"HPNum", 10, kPower},       {"LnNum", 2, kLength},
};

constexpr UnitIndices kEnglishPreset = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr UnitIndices kSIPreset = {3, 1, 2, 1, 1, 1, 1, 1, 1, 1, 3, 1, 1, 1};
constexpr UnitIndices kTechMetricPreset = {3, 2, 2, 2, 2, 2, 1, 1, 1, 1, 2, 2, 1, 1};

}  // namespace

const QuantityUnits& UnitCatalogue(Quantity q) {
  const int i = static_cast<int>(q);
  if (i < 0 || i >= kQuantityCount) throw std::out_of_range("no such quantity");
  return kCatalogue[i];
}

std::string FixedWidthLabel(std::string_view label, int width) {
  std::string out(label.substr(0, static_cast<size_t>(width)));
  out.resize(static_cast<size_t>(width), ' ');
  return out;
}

bool IsValidUnitIndex(Quantity q, int index) {
  return index >= 0 && index < static_cast<int>(UnitCatalogue(q).units.size());
}

std::string_view UnitSystemName(UnitSystem system) {
  switch (system) {
    case UnitSystem::kEnglish:
      return "English";
    case UnitSystem::kSI:
      return "SI";
    case UnitSystem::kTechMetric:
      return "Tech Metric";
    case UnitSystem::kCustom:
      return "Custom";
  }
  return "English";
}

UnitIndices PresetIndices(UnitSystem system) {
  switch (system) {
    case UnitSystem::kSI:
      return kSIPreset;
    case UnitSystem::kTechMetric:
      return kTechMetricPreset;
    default:
      return kEnglishPreset;
  }
}

}  // namespace torvane
