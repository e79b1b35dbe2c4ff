// Helpers shared by the caloric-property tests: the gases they use and the check of a figure
// printed to a number of significant digits.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/component_library.h"
#include "engine/gas_mixture.h"
#include "units/unit_choice.h"

namespace torvane::testing {

// A gas from "CODE:FRACTION" pairs.
inline GasMixture GasOf(const std::vector<std::pair<const char*, double>>& parts) {
  std::vector<GasComponentSlot> components;  // not "slots": a Qt keyword in window tests
  for (const auto& [code, x] : parts) components.push_back({FindComponent(code).value(), x});
  return CharacteriseGas(components);
}

// The SI preset: Bar a, deg C, mm.
inline UnitChoice SiUnits() {
  UnitChoice u;
  u.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  return u;
}

// The natural gas of the worked example: CH4 0.9, C2H6 0.05, C3H8 0.02, N2 0.02, CO2 0.01.
inline GasMixture WorkedExampleGas() {
  return GasOf({{"CH4", 0.9}, {"C2H6", 0.05}, {"C3H8", 0.02}, {"N2", 0.02}, {"CO2", 0.01}});
}

// The fields of a csv line, quotes removed.
inline std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (char ch : line) {
    if (ch == '"') {
      quoted = !quoted;
    } else if (ch == ',' && !quoted) {
      out.emplace_back();
    } else {
      out.back() += ch;
    }
  }
  return out;
}

// value written with as many significant digits as printed has: the same text.
inline ::testing::AssertionResult SameAsPrinted(double value, const std::string& printed) {
  const std::string mantissa = printed.substr(0, printed.find_first_of("eE"));
  int digits = 0;
  bool leading = true;
  for (char ch : mantissa) {
    if (ch < '0' || ch > '9') continue;
    if (ch != '0') leading = false;
    if (!leading) ++digits;
  }
  const double expected = std::stod(printed);
  char mine[64], theirs[64];
  std::snprintf(mine, sizeof mine, "%.*e", digits - 1, value);
  std::snprintf(theirs, sizeof theirs, "%.*e", digits - 1, expected);
  if (std::string(mine) == theirs) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "computed " << mine << " (" << value << "), printed " << printed;
}

}  // namespace torvane::testing
