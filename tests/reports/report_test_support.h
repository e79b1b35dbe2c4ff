// Cases, labyrinth records and unit choices shared by the report tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "laby/labyrinth_calculation.h"
#include "reports/recording_printer_surface.h"
#include "reports/report_case.h"
#include "units/unit_choice.h"

namespace torvane::testing_support {

// The report with a further page prints its first page call for call as the report alone, then
// starts a new page and ends the document once.
inline void ExpectFirstPageAsAlone(const RecordingPrinterSurface& alone,
                                   const RecordingPrinterSurface& with) {
  std::vector<SurfaceCall> first = alone.calls();
  ASSERT_EQ(first.back().op, "EndDocument");
  first.pop_back();
  const auto& all = with.calls();
  ASSERT_GT(all.size(), first.size());
  EXPECT_TRUE(std::equal(first.begin(), first.end(), all.begin()));
  EXPECT_EQ(all[first.size()].op, "NewPage");
  EXPECT_EQ(all.back().op, "EndDocument");
  EXPECT_EQ(std::count_if(all.begin(), all.end(),
                          [](const SurfaceCall& c) { return c.op == "EndDocument"; }),
            1);
}

// Codes "K01 ".."K30 " (section 0), "L01 ".. (section 1), "M01 ".. (section 2); fractions
// (j + 1) / 1000 plus the section / 10.
inline ReportCase MakeReportCase(int n, bool with_gas_file = true, int reserved_r2 = 0) {
  ReportCase c;
  c.case_title = "Pump K-101 balance piston";
  c.case_title.resize(40, ' ');
  c.settings_file_path = "/home/user/cases/pump k101.trv";
  if (with_gas_file) c.gas_file_title = "export gas.gas";
  c.version_text = "Version 8.0.2";
  c.reserved_r2 = reserved_r2;
  c.component_count = n;
  const char letters[] = {'K', 'L', 'M'};
  for (size_t g = 0; g < 3; ++g) {
    for (size_t j = 0; j < 30; ++j) {
      char code[8];
      std::snprintf(code, sizeof code, "%c%02zu ", letters[g], j + 1);
      c.gas_code[g][j] = code;
      c.mol_fraction[g][j] = static_cast<double>(j + 1) / 1000 + static_cast<double>(g) / 10;
    }
  }
  c.mix_mol_weight = {18.0417, 28.9586, 1234.567};
  return c;
}

inline LabyData MakeLabyData() {
  LabyData d{};
  d[kLabyType] = 0;
  d[kSealClear] = 12;
  d[kSealRadClear] = 0.012;
  d[kPressUp] = 1234.5;
  d[kPressDown] = 100;
  d[kTempUp] = 1234.56;
  d[kToothThick] = 0.02;
  d[kToothSpacing] = 0.125;
  d[kToothNumber] = 8;
  d[kFlowCoef] = 0.67;
  d[kLabyFlow] = 12.3456;
  d[kLabyStdFlow] = 1234.5678;
  d[kLabySuppplyFlow] = 56.78;
  d[kLabyVolumeFlow] = 345.6;
  return d;
}

inline UnitChoice Units(UnitSystem system) {
  UnitChoice u;
  u.ApplyUnitChoice(PresetIndices(system));
  return u;
}

inline std::chrono::year_month_day ReportDay() {
  using namespace std::chrono;
  return year_month_day{year{2026}, December, day{6}};
}

}  // namespace torvane::testing_support
