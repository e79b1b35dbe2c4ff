// What the reports read of the case: a plain snapshot of the case record and the run-time state,
// taken when printing starts.
#pragma once

#include <array>
#include <string>

namespace torvane {

inline constexpr int kReportGasSections = 3;
inline constexpr int kReportMaxComponents = 30;

struct ReportCase {
  std::string case_title;          // UTF-8, as stored (40 characters, trailing blanks kept)
  std::string settings_file_path;  // empty: "<Unsaved Data>"
  std::string gas_file_title;      // empty: the gas file line is left out
  std::string version_text;        // "Version 8.0.2"
  int reserved_r2 = 0;             // chooses the gas-analysis heading
  int component_count = 0;         // slots in use, 0..30
  int gas_section = 0;             // the gas section the labyrinth was calculated with, 0..2
  // Per gas section 0..2: component codes (4 characters as stored), mole fractions and the
  // molecular weight of the characterised mixture.
  std::array<std::array<std::string, kReportMaxComponents>, kReportGasSections> gas_code{};
  std::array<std::array<double, kReportMaxComponents>, kReportGasSections> mol_fraction{};
  std::array<double, kReportGasSections> mix_mol_weight{};
};

}  // namespace torvane
