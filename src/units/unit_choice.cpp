#include "units/unit_choice.h"

#include <stdexcept>

#include "platform/errors.h"

namespace torvane {

InputLimits::InputLimits() {
  auto fill = [this](int row, std::initializer_list<std::array<double, 2>> by_unit) {
    size_t unit = 0;
    for (const auto& cell : by_unit) cells_[static_cast<size_t>(row)][unit++] = cell;
  };
  // psia, Bar a, kg/cm2 a, kPa a, MPa a
  fill(1, {{1, 10000}, {0.1, 690}, {0.1, 700}, {10, 68900}, {0.01, 69}});
  // deg F, deg R, deg C, deg K
  fill(2, {{-460, 1040}, {0, 1500}, {-273, 750}, {0, 835}});
  // in, mm
  fill(3, {{1, 90}, {25, 2300}});
  fill(4, {{0, 0.2}, {0, 5}});
  fill(5, {{0.01, 0.1}, {0.25, 2.5}});
  fill(6, {{0.05, 0.3}, {1.25, 7.5}});
}

double InputLimits::Get(int row, int unit_index, LimitKind kind) const {
  if (row < 1 || row > 6 || unit_index < 0 || unit_index > 4) return 0;
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(unit_index)]
               [kind == LimitKind::kMinimum ? 0 : 1];
}

UnitChoice::UnitChoice() { ApplyUnitChoice(PresetIndices(UnitSystem::kEnglish)); }

void UnitChoice::ApplyUnitChoice(const UnitIndices& indices) {
  for (int q = 0; q < kQuantityCount; ++q) {
    const auto quantity = static_cast<Quantity>(q);
    if (!IsValidUnitIndex(quantity, indices[static_cast<size_t>(q)])) {
      throw std::invalid_argument(std::string(UnitCatalogue(quantity).field) + " " +
                                  std::to_string(indices[static_cast<size_t>(q)]) +
                                  " is not a unit of its quantity");
    }
  }
  indices_ = indices;
  for (int q = 0; q < kQuantityCount; ++q) {
    const auto& quantity = UnitCatalogue(q);
    const Unit& unit = quantity.units[static_cast<size_t>(indices[static_cast<size_t>(q)])];
    labels_[static_cast<size_t>(q)] = FixedWidthLabel(unit.label, quantity.label_width);
    factors_[static_cast<size_t>(q)] = unit.factor;
  }
  const std::string_view label = UnitCatalogue(Quantity::kTemperature)
                                     .units[static_cast<size_t>(Index(Quantity::kTemperature))]
                                     .label;
  temperature_ = label == "deg F"   ? TemperatureUnit::kFahrenheit
                 : label == "deg R" ? TemperatureUnit::kRankine
                 : label == "deg C" ? TemperatureUnit::kCelsius
                 : label == "deg K" ? TemperatureUnit::kKelvin
                                    : TemperatureUnit::kNone;
}

double UnitChoice::Convert(Quantity q, double value, std::string_view direction) const {
  if (direction == "EA") return ToUser(q, value);
  if (direction == "AE") return ToInternal(q, value);
  return 0;
}

double UnitChoice::ConvertPressure(double value, std::string_view direction) const {
  return Convert(Quantity::kPressure, value, direction);
}
double UnitChoice::ConvertVolumeFlow(double value, std::string_view direction) const {
  return Convert(Quantity::kVolumeFlow, value, direction);
}
double UnitChoice::ConvertMassFlow(double value, std::string_view direction) const {
  return Convert(Quantity::kMassFlow, value, direction);
}
double UnitChoice::ConvertLength(double value, std::string_view direction) const {
  return Convert(Quantity::kLength, value, direction);
}

double UnitChoice::ConvertTemperature(double value, std::string_view direction) const {
  if (direction == "AR") return ToRankine(value);
  if (direction == "RA") return FromRankine(value);
  return 0;
}

int UnitChoice::PressureDecimals() const {
  static constexpr int kDecimals[] = {2, 3, 3, 1, 4};
  return kDecimals[Index(Quantity::kPressure)];
}

std::string UnitChoice::PressureFormat() const {
  return "#,##0." + std::string(static_cast<size_t>(PressureDecimals()), '0');
}

double UnitChoice::InputLimit(int row, LimitKind kind) const {
  Quantity q = Quantity::kLength;
  if (row == 1) q = Quantity::kPressure;
  if (row == 2) q = Quantity::kTemperature;
  return limits_.Get(row, Index(q), kind);
}

}  // namespace torvane
