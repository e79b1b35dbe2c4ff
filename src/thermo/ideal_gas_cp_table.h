// The ideal-gas heat capacities of the library components, compiled into the program.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace torvane {

// One component's ideal-gas heat capacity, cp0/R = a0 + a1 T + a2 T^2 + a3 T^3 + a4 T^4 with T
// in kelvin and R the molar gas constant.
struct IdealGasCpRow {
  std::string_view code;
  int id;
  std::array<double, 5> a;
  // The temperature range of the source data (K); outside it the polynomial is extrapolated.
  double t_min;
  double t_max;
};

// Every row, in id order: one per library component (ids 1..99, 88 unused). The mixtures AIR
// and R500 are rows of their own, mole-fraction sums of their constituents' rows.
std::span<const IdealGasCpRow> IdealGasCpRows();

}  // namespace torvane
