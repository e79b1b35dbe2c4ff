// The catalogue of the 14 quantities the user can choose units for, their labels and factors,
// and the unit-system presets.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace torvane {

// The quantities, in the order of their unit fields IVNum .. LnNum.
enum class Quantity : int {
  kInletFlow = 0,
  kPressure,
  kTemperature,
  kEnthalpy,
  kEntropy,
  kMolarHeatCapacity,
  kVelocity,
  kSpecificVolume,
  kViscosity,
  kVolumeFlow,
  kMassFlow,
  kHead,
  kPower,
  kLength,
};
inline constexpr int kQuantityCount = 14;

// A unit of a quantity. For every quantity but temperature and inlet flow the factor is the
// number of user units in one internal unit; for those two it is the unit code (index + 1).
struct Unit {
  std::string_view label;
  double factor;
};

struct QuantityUnits {
  std::string_view field;  // "IVNum", "PNum", ...
  int label_width;
  std::span<const Unit> units;
};

const QuantityUnits& UnitCatalogue(Quantity q);
inline const QuantityUnits& UnitCatalogue(int q) { return UnitCatalogue(static_cast<Quantity>(q)); }

// A label at its quantity's fixed width: padded with trailing blanks or cut.
std::string FixedWidthLabel(std::string_view label, int width);

// True when index names a unit of quantity q.
bool IsValidUnitIndex(Quantity q, int index);

enum class UnitSystem : int { kEnglish = 0, kSI = 1, kTechMetric = 2, kCustom = 3 };
inline constexpr int kUnitSystemCount = 4;

// The names of the unit systems as the units dialog lists them.
std::string_view UnitSystemName(UnitSystem system);

using UnitIndices = std::array<std::int16_t, kQuantityCount>;

// The unit indices of a preset system (English, SI, Tech Metric). Custom has no preset and
// gives the English indices.
UnitIndices PresetIndices(UnitSystem system);

}  // namespace torvane
