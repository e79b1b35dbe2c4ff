// The labyrinth report on a recording surface: its rows, formats and unit labels, the footer
// geometry, reports printed one after another, and failures.
#include "reports/labyrinth_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "report_test_support.h"
#include "reports/recording_printer_surface.h"

namespace torvane {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing_support::MakeLabyData;
using testing_support::MakeReportCase;
using testing_support::ReportDay;
using testing_support::Units;

class LabyrinthReportTest : public ::testing::Test {
 protected:
  void Print(RecordingPrinterSurface& surface, const ReportCase& c, const LabyData& d,
             const UnitChoice& units) {
    PrintLabyrinthReport(surface, ReportServices{state_, pictures_, clock_}, c, d, units);
  }
  void Print(const ReportCase& c, const LabyData& d, const UnitChoice& units) {
    Print(surface_, c, d, units);
  }
  // The printed texts from the labyrinth rows on (the first row starts at "Labyrinth type").
  std::vector<std::string> RowTexts(const RecordingPrinterSurface& surface) const {
    std::vector<std::string> out;
    bool in_rows = false;
    for (const auto& t : surface.PrintedTexts()) {
      if (t.find("Labyrinth type") != std::string::npos) in_rows = true;
      if (in_rows) out.push_back(t);
    }
    return out;
  }
  const SurfaceCall& Footer() const {
    const auto& calls = surface_.calls();
    return calls[calls.size() - 2];
  }

  RecordingPrinterSurface surface_;
  RecordingPictureLoader pictures_;
  FixedReportClock clock_{ReportDay()};
  ReportState state_;
};

TEST_F(LabyrinthReportTest, GasAnalysisIsThatOfTheSectionTheResultsCameFrom) {
  ReportCase c = MakeReportCase(2, true, 2);
  c.gas_section = 1;
  Print(c, MakeLabyData(), Units(UnitSystem::kEnglish));
  const auto texts = surface_.PrintedTexts();
  const auto printed = [&](const std::string& text) {
    for (const auto& t : texts) {
      if (t.size() >= text.size() && t.compare(t.size() - text.size(), text.size(), text) == 0) {
        return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(printed("Gas Analysis - Section 2"));
  EXPECT_TRUE(printed("Total Mol Weight  28.96"));
  EXPECT_TRUE(printed(" L01 "));
  EXPECT_TRUE(printed(" 0.10100"));
  EXPECT_FALSE(printed(" K01 "));
  EXPECT_FALSE(printed("Total Mol Weight  18.04"));
}

TEST_F(LabyrinthReportTest, RowsFormatsAndEnglishUnitLabels) {
  Print(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish));
  // The gas block's rule is at 5.18: first row 0.25 below, then 0.3, then 0.15 per row.
  EXPECT_THAT(RowTexts(surface_), ElementsAreArray<std::string>({
                                      "1,5.43 10 Labyrinth type",
                                      "3,5.43 10 Stepped (Interlocking)",
                                      "1,5.73 10 Seal diameter",
                                      "3,5.73 10 12.000",
                                      "3.7,5.73 10 in",
                                      "1,5.88 10 Seal radial clearance",
                                      "3,5.88 10 0.012",
                                      "3.7,5.88 10 in",
                                      "1,6.03 10 Upstream pressure",
                                      "3,6.03 10 1,234.50",
                                      "3.7,6.03 10 psia    ",
                                      "1,6.18 10 Downstream pressure",
                                      "3,6.18 10 100.00",
                                      "3.7,6.18 10 psia    ",
                                      "1,6.33 10 Upstream temperature",
                                      "3,6.33 10 1,234.6",
                                      "3.7,6.33 10 deg F",
                                      "1,6.48 10 Tooth thickness",
                                      "3,6.48 10 0.020",
                                      "3.7,6.48 10 in",
                                      "1,6.63 10 Tooth spacing (pitch)",
                                      "3,6.63 10 0.125",
                                      "3.7,6.63 10 in",
                                      "1,6.78 10 Number of teeth",
                                      "3,6.78 10 8",
                                      "1,6.93 10 Flow coefficient",
                                      "3,6.93 10 0.670",
                                      "1,7.08 10 Labyrinth leakage",
                                      "3,7.08 10 12.346",
                                      "3.7,7.08 10 lb/min    ",
                                      "1,7.23 10  ",
                                      "3,7.23 10 1234.568",
                                      "3.7,7.23 10 SCFM",
                                      "1,7.38 10 Inlet vol. flow",
                                      "3,7.38 10 56.780",
                                      "3.7,7.38 10 ft3/min   ",
                                      "1,7.53 10 Exhaust vol. flow",
                                      "3,7.53 10 345.600",
                                      "3.7,7.53 10 ft3/min   ",
                                  }));
}

TEST_F(LabyrinthReportTest, CallOrderOfTheWholeReport) {
  Print(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish));
  const auto d = surface_.Drawing();
  ASSERT_GT(d.size(), 10u);
  EXPECT_THAT(std::vector<std::string>(d.begin(), d.begin() + 5),
              ElementsAre("SetOrientation(1)", "SetScaleInches()", "SetScaleTop(0.4)",
                          "SetScaleLeft(0.2)", "SetFontName() \"Times New Roman\""));
  EXPECT_THAT(surface_.PrintedTexts(),
              ::testing::Contains("2.515,2.8 18 b Labyrinth Leakage Results"));
  EXPECT_THAT(surface_.PrintedTexts(), ::testing::Contains("1,4.48 10 b Gas Analysis"));
  EXPECT_EQ(d.back(), "EndDocument()");
  EXPECT_TRUE(surface_.ended());
  // The rows start from the printer's vertical position after the gas block's rule.
  const auto& calls = surface_.calls();
  size_t rule = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].op == "DrawLine") rule = i;
  }
  ASSERT_LT(rule + 1, calls.size());
  EXPECT_EQ(calls[rule + 1].op, "CurrentY");
}

TEST_F(LabyrinthReportTest, FooterGrowsDownToTheBottomWhenRowsEndHigh) {
  Print(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish));
  // Rows end at y = 7.53 + 0.15 + 0.15 = 7.83; h = 2.11 + (8.4 - 7.83) = 2.68.
  const SurfaceCall& footer = Footer();
  ASSERT_EQ(footer.op, "DrawPicture");
  EXPECT_EQ(footer.text, "qnfooter3.bmp");
  ASSERT_EQ(footer.args.size(), 4u);
  const double h = 2.68;
  EXPECT_NEAR(footer.args[0], 4.0 - 2.65 * h / 2.11, 1e-9);  // 0.6341
  EXPECT_NEAR(footer.args[1], 7.98, 1e-9);
  EXPECT_NEAR(footer.args[2], 6.0 * h / 2.11, 1e-9);  // 7.6209
  EXPECT_NEAR(footer.args[3], h, 1e-9);
  EXPECT_NEAR(footer.args[1] + footer.args[3], 10.66, 1e-9);
  EXPECT_EQ(footer.ToString(), "DrawPicture(0.6341,7.98,7.6209,2.68) \"qnfooter3.bmp\"");
  EXPECT_NEAR(state_.ReportLineY, 7.83, 1e-9);
}

TEST_F(LabyrinthReportTest, FooterKeepsItsSizeBelowTheLimitLine) {
  // Thirty components: six table lines, rows end at y = 8.58 > 8.4.
  Print(MakeReportCase(30), MakeLabyData(), Units(UnitSystem::kEnglish));
  EXPECT_THAT(RowTexts(surface_), ::testing::Contains("1,8.28 10 Exhaust vol. flow"));
  EXPECT_EQ(Footer().ToString(), "DrawPicture(1.35,8.55,6,2.11) \"qnfooter3.bmp\"");
  EXPECT_NEAR(Footer().args[1] + Footer().args[3], 10.66, 1e-9);
  EXPECT_DOUBLE_EQ(state_.ReportLineY, 8.4);
}

TEST_F(LabyrinthReportTest, FooterWithoutGasFileLineAndTenComponents) {
  // No gas file line (0.15 up), two table lines (0.15 down): rows end at 7.83 as well.
  Print(MakeReportCase(10, /*with_gas_file=*/false), MakeLabyData(), Units(UnitSystem::kEnglish));
  EXPECT_EQ(Footer().ToString(), "DrawPicture(0.6341,7.98,7.6209,2.68) \"qnfooter3.bmp\"");
  // Twenty-five components: five lines, y = 8.43 - 0.15 = 8.28; h = 2.23.
  RecordingPrinterSurface second;
  Print(second, MakeReportCase(25, false), MakeLabyData(), Units(UnitSystem::kEnglish));
  const SurfaceCall& footer = second.calls()[second.calls().size() - 2];
  EXPECT_NEAR(footer.args[3], 2.23, 1e-9);
  EXPECT_NEAR(footer.args[1], 8.43, 1e-9);
  EXPECT_NEAR(footer.args[1] + footer.args[3], 10.66, 1e-9);
}

TEST_F(LabyrinthReportTest, SiUnitsNormalCubicMetresAndPressureDecimals) {
  Print(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kSI));
  const auto rows = RowTexts(surface_);
  EXPECT_THAT(rows, ::testing::Contains("3.7,5.73 10 mm"));
  EXPECT_THAT(rows, ::testing::Contains("3,6.03 10 1,234.500"));  // Bar a: "#,##0.000"
  EXPECT_THAT(rows, ::testing::Contains("3.7,6.03 10 Bar a   "));
  EXPECT_THAT(rows, ::testing::Contains("3.7,6.33 10 deg C"));
  EXPECT_THAT(rows, ::testing::Contains("3.7,7.08 10 kg/hr     "));
  EXPECT_THAT(rows, ::testing::Contains("3.7,7.23 10 Sm3/hr"));
  EXPECT_THAT(rows, ::testing::Contains("3.7,7.38 10 m3/hr     "));
}

TEST_F(LabyrinthReportTest, UnitsInForceAtPrintingTimeDecide) {
  UnitIndices idx = PresetIndices(UnitSystem::kEnglish);
  idx[static_cast<size_t>(Quantity::kPressure)] = 3;  // kPa a: "#,##0.0"
  idx[static_cast<size_t>(Quantity::kMassFlow)] = 2;  // kg/min
  UnitChoice units;
  units.ApplyUnitChoice(idx);
  Print(MakeReportCase(3), MakeLabyData(), units);
  auto rows = RowTexts(surface_);
  EXPECT_THAT(rows, ::testing::Contains("3,6.03 10 1,234.5"));
  EXPECT_THAT(rows, ::testing::Contains("3.7,6.03 10 kPa a   "));
  EXPECT_THAT(rows, ::testing::Contains("3.7,7.08 10 kg/min    "));
  EXPECT_THAT(rows, ::testing::Contains("3.7,7.23 10 Sm3/hr"));
  // The values themselves are printed as stored.
  EXPECT_THAT(rows, ::testing::Contains("3,7.23 10 1234.568"));

  idx[static_cast<size_t>(Quantity::kPressure)] = 4;  // MPa a: "#,##0.0000"
  idx[static_cast<size_t>(Quantity::kMassFlow)] = 1;  // lb/hr
  units.ApplyUnitChoice(idx);
  RecordingPrinterSurface second;
  Print(second, MakeReportCase(3), MakeLabyData(), units);
  rows = RowTexts(second);
  EXPECT_THAT(rows, ::testing::Contains("3,6.03 10 1,234.5000"));
  EXPECT_THAT(rows, ::testing::Contains("3.7,7.23 10 SCFM"));
  EXPECT_THAT(rows, ::testing::Contains("3.7,7.08 10 lb/hr     "));
}

TEST_F(LabyrinthReportTest, OddTypeAndNoTeethPrintEmptyValues) {
  LabyData d = MakeLabyData();
  d[kLabyType] = 2;
  d[kToothNumber] = 0;
  Print(MakeReportCase(3), d, Units(UnitSystem::kEnglish));
  const auto rows = RowTexts(surface_);
  EXPECT_EQ(rows[0], "1,5.43 10 Labyrinth type");
  EXPECT_EQ(rows[1], "3,5.43 10 ");
  EXPECT_THAT(rows, ::testing::Contains("3,6.78 10 "));
  d[kLabyType] = 1;
  RecordingPrinterSurface second;
  Print(second, MakeReportCase(3), d, Units(UnitSystem::kEnglish));
  EXPECT_EQ(RowTexts(second)[1], "3,5.43 10 Straight");
  EXPECT_EQ(LabyrinthTypeText(0), "Stepped (Interlocking)");
  EXPECT_EQ(LabyrinthTypeText(0.5), "");
}

TEST_F(LabyrinthReportTest, SecondReportStartsAgainAndReusesThePictures) {
  const ReportCase c = MakeReportCase(3);
  Print(c, MakeLabyData(), Units(UnitSystem::kEnglish));
  RecordingPrinterSurface second;
  Print(second, c, MakeLabyData(), Units(UnitSystem::kEnglish));
  EXPECT_THAT(pictures_.loads(), ElementsAre("qnheader16.bmp", "qnfooter3.bmp"));
  EXPECT_EQ(second.PrintedTexts().front(), "1,2.2 8 Page 1");
  EXPECT_EQ(second.Drawing(), surface_.Drawing());
}

TEST_F(LabyrinthReportTest, FailedPictureIsTriedAgainByTheNextReport) {
  const ReportCase c = MakeReportCase(3);
  pictures_.SetFailing("qnheader16.bmp", true);
  EXPECT_THROW(Print(c, MakeLabyData(), Units(UnitSystem::kEnglish)), PrinterError);
  EXPECT_FALSE(surface_.ended());
  EXPECT_EQ(state_.HeaderPicture, nullptr);
  EXPECT_EQ(state_.FooterPicture, nullptr);

  pictures_.SetFailing("qnheader16.bmp", false);
  pictures_.SetFailing("qnfooter3.bmp", true);
  RecordingPrinterSurface second;
  EXPECT_THROW(Print(second, c, MakeLabyData(), Units(UnitSystem::kEnglish)), PrinterError);
  EXPECT_NE(state_.HeaderPicture, nullptr);
  EXPECT_EQ(state_.FooterPicture, nullptr);

  pictures_.SetFailing("qnfooter3.bmp", false);
  RecordingPrinterSurface third;
  Print(third, c, MakeLabyData(), Units(UnitSystem::kEnglish));
  EXPECT_TRUE(third.ended());
  EXPECT_THAT(pictures_.loads(),
              ElementsAre("qnheader16.bmp", "qnheader16.bmp", "qnfooter3.bmp", "qnfooter3.bmp"));
}

TEST_F(LabyrinthReportTest, PrinterFailureEndsTheReportAtOnce) {
  surface_.FailAtCall(40);
  EXPECT_THROW(Print(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish)), PrinterError);
  EXPECT_EQ(surface_.calls().size(), 40u);
  EXPECT_FALSE(surface_.ended());
}

TEST_F(LabyrinthReportTest, ValueThatIsNotANumberIsAPrinterError) {
  LabyData d = MakeLabyData();
  d[kLabyFlow] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_THROW(Print(MakeReportCase(3), d, Units(UnitSystem::kEnglish)), PrinterError);
  EXPECT_FALSE(surface_.ended());
}

}  // namespace
}  // namespace torvane
