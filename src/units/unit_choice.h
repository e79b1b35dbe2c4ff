// The user's current unit choice: the selected unit of each quantity with its label and factor,
// the conversions between internal and user units, and the allowable input ranges.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/errors.h"
#include "units/unit_catalogue.h"

namespace torvane {

enum class LimitKind { kMinimum, kMaximum };

// Rows of the allowable-range table.
enum class LimitRow : int {
  kPressure = 1,
  kTemperature = 2,
  kSealDiameter = 3,
  kSuggestedClearance = 4,
  kToothThickness = 5,
  kToothSpacing = 6,
};

// The table of allowed input ranges: rows 1..6, unit index 0..4; a cell not filled reads as 0.
class InputLimits {
 public:
  InputLimits();
  double Get(int row, int unit_index, LimitKind kind) const;

 private:
  // [row][unit][0 = minimum, 1 = maximum]
  std::array<std::array<std::array<double, 2>, 5>, 7> cells_{};
};

class UnitChoice {
 public:
  UnitChoice();  // English

  // Selects the labels and factors of the given indices. An index outside its quantity's list
  // is rejected with std::invalid_argument and nothing changes.
  void ApplyUnitChoice(const UnitIndices& indices);

  const UnitIndices& indices() const { return indices_; }
  int Index(Quantity q) const { return indices_[static_cast<size_t>(q)]; }
  // The current label at its fixed width, e.g. "psia    " or "deg F".
  const std::string& Label(Quantity q) const { return labels_[static_cast<size_t>(q)]; }
  double Factor(Quantity q) const { return factors_[static_cast<size_t>(q)]; }

  // Direction "EA" converts an internal value to the user's unit (value x factor), "AE" a user
  // value to the internal unit (value / factor); any other direction yields 0.
  double ConvertPressure(double value, std::string_view direction) const;
  double ConvertVolumeFlow(double value, std::string_view direction) const;
  double ConvertMassFlow(double value, std::string_view direction) const;
  double ConvertLength(double value, std::string_view direction) const;
  // Direction "AR" converts a user temperature to degrees Rankine, "RA" back; any other
  // direction yields 0.
  double ConvertTemperature(double value, std::string_view direction) const;

  // The same conversions without the direction's text, for the calculation paths: a user value
  // to the internal unit ("AE"), an internal value to the user's unit ("EA"), a user
  // temperature to degrees Rankine ("AR") and back ("RA").
  double ToInternal(Quantity q, double value) const {
    return CheckedDiv(value, Factor(q), "unit conversion");
  }
  double ToUser(Quantity q, double value) const {
    return Checked(value * Factor(q), "unit conversion");
  }
  double ToRankine(double value) const {
    double out = 0;
    switch (temperature_) {
      case TemperatureUnit::kFahrenheit:
        out = value + 459.67;
        break;
      case TemperatureUnit::kRankine:
        out = value;
        break;
      case TemperatureUnit::kCelsius:
        out = (value + 273.15) * 1.8;
        break;
      case TemperatureUnit::kKelvin:
        out = value * 1.8;
        break;
      case TemperatureUnit::kNone:
        break;
    }
    return Checked(out, "temperature conversion");
  }
  double FromRankine(double value) const {
    double out = 0;
    switch (temperature_) {
      case TemperatureUnit::kFahrenheit:
        out = value - 459.67;
        break;
      case TemperatureUnit::kRankine:
        out = value;
        break;
      case TemperatureUnit::kCelsius:
        out = value / 1.8 - 273.15;
        break;
      case TemperatureUnit::kKelvin:
        out = value / 1.8;
        break;
      case TemperatureUnit::kNone:
        break;
    }
    return Checked(out, "temperature conversion");
  }

  // Decimals and number format for pressures in the current pressure unit.
  int PressureDecimals() const;
  std::string PressureFormat() const;

  // The limit of a row of the allowable-range table for the current unit of its quantity.
  double InputLimit(int row, LimitKind kind) const;
  double InputLimit(LimitRow row, LimitKind kind) const {
    return InputLimit(static_cast<int>(row), kind);
  }

 private:
  double Convert(Quantity q, double value, std::string_view direction) const;

  // The temperature unit by its label, found once when the units are applied.
  enum class TemperatureUnit { kNone, kFahrenheit, kRankine, kCelsius, kKelvin };

  UnitIndices indices_{};
  std::array<std::string, kQuantityCount> labels_;
  std::array<double, kQuantityCount> factors_{};
  TemperatureUnit temperature_ = TemperatureUnit::kNone;
  InputLimits limits_;
};

}  // namespace torvane
