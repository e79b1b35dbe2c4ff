// The report frame on a recording surface: page set-up, summary block, gas-analysis table.
// Recorded text widths are 0.006 in per character per point (+10% bold); printable width 8 in.
#include "reports/report_frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <limits>

#include "report_test_support.h"
#include "reports/recording_printer_surface.h"

namespace torvane {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing_support::MakeReportCase;
using testing_support::ReportDay;

class ReportFrameTest : public ::testing::Test {
 protected:
  ReportFrame Frame(const ReportCase& c) {
    return ReportFrame(surface_, ReportServices{state_, pictures_, clock_}, c);
  }
  // The drawing calls from the n-th on.
  std::vector<std::string> DrawingFrom(size_t first) const {
    const auto all = surface_.Drawing();
    return std::vector<std::string>(all.begin() + static_cast<long>(first), all.end());
  }

  RecordingPrinterSurface surface_;
  RecordingPictureLoader pictures_;
  FixedReportClock clock_{ReportDay()};
  ReportState state_;
};

TEST_F(ReportFrameTest, SetUpIsPortraitInchesTopThenLeft) {
  const ReportCase c = MakeReportCase(3);
  Frame(c).SetUpReportPage();
  EXPECT_THAT(surface_.Drawing(), ElementsAre("SetOrientation(1)", "SetScaleInches()",
                                              "SetScaleTop(0.4)", "SetScaleLeft(0.2)"));
}

TEST_F(ReportFrameTest, SummaryPageSequenceAndPositions) {
  const ReportCase c = MakeReportCase(3);
  Frame(c).PrintSummaryPage("Labyrinth Leakage Results");
  const std::string title = "Pump K-101 balance piston               ";
  ASSERT_EQ(title.size(), 40u);
  EXPECT_THAT(surface_.Drawing(), ElementsAreArray<std::string>({
                                      "SetFontName() \"Times New Roman\"",
                                      "SetFontBold(0)",
                                      "DrawPicture(2.05,1,4.4,1.2) \"qnheader16.bmp\"",
                                      "SetFontSize(8)",
                                      "SetPosition(1,2.2)",
                                      "PrintText() \"Page 1\"",
                                      "DrawLine(1,2.35,7.5,2.35,0,0,0)",
                                      "SetFontSize(18)",
                                      "SetFontBold(1)",
                                      // 29 characters at 18 pt bold: 3.4452 in wide, centred on 4.0
                                      "SetPosition(2.2774,2.55)",
                                      "PrintText() \"Torvane \xC2\xAE Calculation Summary\"",
                                      // 25 characters: 2.97 in
                                      "SetPosition(2.515,2.8)",
                                      "PrintText() \"Labyrinth Leakage Results\"",
                                      "SetFontBold(0)",
                                      "SetFontSize(8)",
                                      "SetPosition(1,3.48)",
                                      "PrintText() \"6-Dec-2026\"",
                                      // 13 characters at 8 pt: 0.624 in, ending at 7.5
                                      "SetPosition(6.876,3.48)",
                                      "PrintText() \"Version 8.0.2\"",
                                      "SetFontSize(10)",
                                      "DrawLine(1,3.63,7.5,3.63,0,0,0)",
                                      "SetFontBold(1)",
                                      "SetPosition(1,3.78)",
                                      "PrintText() \"Title :  \"",
                                      "SetFontBold(0)",
                                      "SetPosition(2.2,3.78)",
                                      "PrintText() \"" + title + "\"",
                                      "SetFontBold(1)",
                                      "SetPosition(1,3.93)",
                                      "PrintText() \"Settings file name :  \"",
                                      "SetFontBold(0)",
                                      "SetPosition(2.2,3.93)",
                                      "PrintText() \"pump k101.trv\"",
                                      "SetFontBold(1)",
                                      "SetPosition(1,4.08)",
                                      "PrintText() \"Gas file name :  \"",
                                      "SetFontBold(0)",
                                      "SetPosition(2.2,4.08)",
                                      "PrintText() \"export gas.gas\"",
                                      "DrawLine(1,4.33,7.5,4.33,0,0,0)",
                                  }));
  EXPECT_NEAR(state_.ReportLineY, 4.33, 1e-12);
  EXPECT_DOUBLE_EQ(state_.ReportLineSpacing, 0.15);
  // The font is left at 10 points, regular.
  EXPECT_EQ(surface_.font_size(), 10);
  EXPECT_FALSE(surface_.bold());
  EXPECT_THAT(pictures_.loads(), ElementsAre("qnheader16.bmp", "qnfooter3.bmp"));
}

TEST_F(ReportFrameTest, UnsavedDataAndNoGasFileLine) {
  ReportCase c = MakeReportCase(3, /*with_gas_file=*/false);
  c.settings_file_path.clear();
  Frame(c).PrintSummaryPage("T");
  const auto texts = surface_.PrintedTexts();
  EXPECT_THAT(texts, ::testing::Contains("2.2,3.93 10 <Unsaved Data>"));
  for (const auto& t : texts) EXPECT_EQ(t.find("Gas file name"), std::string::npos) << t;
  // The closing rule moves up by one line spacing.
  EXPECT_EQ(surface_.Drawing().back(), "DrawLine(1,4.18,7.5,4.18,0,0,0)");
  EXPECT_NEAR(state_.ReportLineY, 4.18, 1e-12);
}

TEST_F(ReportFrameTest, GasFileLineShowsTheFileNameOnly) {
  ReportCase c = MakeReportCase(3);
  c.gas_file_title = "/data/gases/natural.gas";
  c.settings_file_path = "plain.trv";
  Frame(c).PrintSummaryPage("T");
  EXPECT_THAT(surface_.PrintedTexts(), ::testing::Contains("2.2,4.08 10 natural.gas"));
  EXPECT_THAT(surface_.PrintedTexts(), ::testing::Contains("2.2,3.93 10 plain.trv"));
}

TEST(FileNameOfTest, TextAfterTheLastSlash) {
  EXPECT_EQ(FileNameOf("/home/user/cases/pump.trv"), "pump.trv");
  EXPECT_EQ(FileNameOf("pump.trv"), "pump.trv");
  EXPECT_EQ(FileNameOf("relative/dir/a b.gas"), "a b.gas");
  EXPECT_EQ(FileNameOf("/folder/"), "");
  EXPECT_EQ(FileNameOf(""), "");
}

TEST(ReportDateTest, DayWithoutZeroEnglishMonthFourDigitYear) {
  using namespace std::chrono;
  EXPECT_EQ(FormatReportDate(year_month_day{year{2026}, December, day{6}}), "6-Dec-2026");
  EXPECT_EQ(FormatReportDate(year_month_day{year{2030}, January, day{1}}), "1-Jan-2030");
  EXPECT_EQ(FormatReportDate(year_month_day{year{1999}, October, day{31}}), "31-Oct-1999");
  EXPECT_EQ(FormatReportDate(year_month_day{year{2024}, February, day{29}}), "29-Feb-2024");
  EXPECT_THROW(FormatReportDate(year_month_day{year{2025}, February, day{29}}), PrinterError);
  EXPECT_TRUE(SystemReportClock().Today().ok());
}

// The gas-analysis block after a summary page that ended at 4.33.
class GasAnalysisTest : public ReportFrameTest {
 protected:
  void Print(const ReportCase& c, int section = 0) {
    ReportFrame frame = Frame(c);
    frame.PrintSummaryPage("T");
    first_ = surface_.Drawing().size();
    frame.PrintGasAnalysisPage(section);
  }
  // The printed texts of the gas block with their positions.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    bool in_block = false;
    for (const auto& t : surface_.PrintedTexts()) {
      if (t.find("4.48 ") != std::string::npos) in_block = true;
      if (in_block) out.push_back(t);
    }
    return out;
  }
  // Positions "x,y" of the component codes ("K01 ", "L02 ", ...).
  std::vector<std::string> CodePositions() const {
    std::vector<std::string> out;
    for (const auto& t : Texts()) {
      const size_t n = t.size();
      const bool code = n > 4 && t[n - 1] == ' ' && (t[n - 4] == 'K' || t[n - 4] == 'L') &&
                        std::isdigit(static_cast<unsigned char>(t[n - 3]));
      if (code) out.push_back(t.substr(0, t.find(' ')));
    }
    return out;
  }
  std::string Rule() const { return surface_.Drawing().back(); }

  size_t first_ = 0;
};

TEST_F(GasAnalysisTest, ThreeComponentsExactSequence) {
  Print(MakeReportCase(3));
  EXPECT_THAT(DrawingFrom(first_),
              ElementsAreArray<std::string>({
                  "SetFontBold(1)",
                  "SetPosition(1,4.48)",
                  "PrintText() \"Gas Analysis\"",
                  "SetFontBold(0)",
                  // "Total Mol Weight  18.04": 23 characters at 10 pt, 1.38 in, ending at 7.5
                  "SetPosition(6.12,4.48)",
                  "PrintText() \"Total Mol Weight  18.04\"",
                  "SetFontUnderline(1)",
                  "SetPosition(1,4.78)",
                  "PrintText() \"Gas  \"",
                  "SetPosition(1.5,4.78)",
                  "PrintText() \"Mol Fr  \"",
                  "SetPosition(2.25,4.78)",
                  "PrintText() \"Gas  \"",
                  "SetPosition(2.75,4.78)",
                  "PrintText() \"Mol Fr  \"",
                  "SetPosition(3.5,4.78)",
                  "PrintText() \"Gas  \"",
                  "SetPosition(4,4.78)",
                  "PrintText() \"Mol Fr  \"",
                  "SetFontUnderline(0)",
                  "SetPosition(1,4.93)",
                  "PrintText() \"K01 \"",
                  "SetPosition(1.5,4.93)",
                  "PrintText() \"0.00100\"",
                  "SetPosition(2.25,4.93)",
                  "PrintText() \"K02 \"",
                  "SetPosition(2.75,4.93)",
                  "PrintText() \"0.00200\"",
                  "SetPosition(3.5,4.93)",
                  "PrintText() \"K03 \"",
                  "SetPosition(4,4.93)",
                  "PrintText() \"0.00300\"",
                  "DrawLine(1,5.18,7.5,5.18,0,0,0)",
              }));
  EXPECT_EQ(state_.GasPairsAcross, 3);
  EXPECT_NEAR(state_.ReportLineY, 5.18, 1e-12);
}

TEST_F(GasAnalysisTest, NoComponentsGiveAnEmptyHeaderAndOneEmptyLine) {
  Print(MakeReportCase(0));
  EXPECT_THAT(DrawingFrom(first_), ElementsAreArray<std::string>({
                                       "SetFontBold(1)",
                                       "SetPosition(1,4.48)",
                                       "PrintText() \"Gas Analysis\"",
                                       "SetFontBold(0)",
                                       "SetPosition(6.12,4.48)",
                                       "PrintText() \"Total Mol Weight  18.04\"",
                                       "SetFontUnderline(1)",
                                       "SetFontUnderline(0)",
                                       "DrawLine(1,5.18,7.5,5.18,0,0,0)",
                                   }));
  EXPECT_EQ(state_.GasPairsAcross, 0);
}

TEST_F(GasAnalysisTest, FiveComponentsFillOneLine) {
  Print(MakeReportCase(5));
  EXPECT_THAT(CodePositions(),
              ElementsAre("1,4.93", "2.25,4.93", "3.5,4.93", "4.75,4.93", "6,4.93"));
  EXPECT_THAT(Texts(), ::testing::Contains("6.5,4.93 10 0.00500"));
  EXPECT_THAT(Texts(), ::testing::Contains("6.5,4.78 10 u Mol Fr  "));
  EXPECT_EQ(state_.GasPairsAcross, 5);
  EXPECT_EQ(Rule(), "DrawLine(1,5.18,7.5,5.18,0,0,0)");
}

TEST_F(GasAnalysisTest, SixComponentsTakeASecondLineOfOne) {
  Print(MakeReportCase(6));
  EXPECT_THAT(CodePositions(),
              ElementsAre("1,4.93", "2.25,4.93", "3.5,4.93", "4.75,4.93", "6,4.93", "1,5.08"));
  EXPECT_THAT(Texts(), ::testing::Contains("1,5.08 10 K06 "));
  EXPECT_THAT(Texts(), ::testing::Contains("1.5,5.08 10 0.00600"));
  EXPECT_EQ(state_.GasPairsAcross, 5);
  EXPECT_EQ(Rule(), "DrawLine(1,5.33,7.5,5.33,0,0,0)");
}

TEST_F(GasAnalysisTest, TenComponentsTwoFullLines) {
  Print(MakeReportCase(10));
  EXPECT_THAT(CodePositions(),
              ElementsAre("1,4.93", "2.25,4.93", "3.5,4.93", "4.75,4.93", "6,4.93", "1,5.08",
                          "2.25,5.08", "3.5,5.08", "4.75,5.08", "6,5.08"));
  EXPECT_EQ(Rule(), "DrawLine(1,5.33,7.5,5.33,0,0,0)");
}

TEST_F(GasAnalysisTest, ThirtyComponentsSixFullLines) {
  Print(MakeReportCase(30));
  const auto codes = CodePositions();
  ASSERT_EQ(codes.size(), 30u);
  EXPECT_EQ(codes[0], "1,4.93");
  EXPECT_EQ(codes[20], "1,5.53");
  EXPECT_EQ(codes[24], "6,5.53");
  EXPECT_EQ(codes[25], "1,5.68");
  EXPECT_EQ(codes[29], "6,5.68");
  EXPECT_THAT(Texts(), ::testing::Contains("6,5.68 10 K30 "));
  EXPECT_THAT(Texts(), ::testing::Contains("6.5,5.68 10 0.03000"));
  int headers = 0;
  for (const auto& t : Texts()) headers += t.find(" u Gas  ") != std::string::npos;
  EXPECT_EQ(headers, 5);
  EXPECT_EQ(Rule(), "DrawLine(1,5.93,7.5,5.93,0,0,0)");
}

TEST_F(GasAnalysisTest, HeadingFollowsR2) {
  // The calls between bold on and bold off.
  const auto heading = [this](int r2, int section) {
    surface_ = RecordingPrinterSurface();
    Print(MakeReportCase(3, true, r2), section);
    const auto d = DrawingFrom(first_);
    std::string out;
    for (size_t i = 1; i < d.size() && d[i] != "SetFontBold(0)"; ++i) out += d[i] + ";";
    return out;
  };
  EXPECT_EQ(heading(-1, 0), "SetPosition(1,4.48);PrintText() \"Gas Analysis\";");
  EXPECT_EQ(heading(0, 0), "SetPosition(1,4.48);PrintText() \"Gas Analysis\";");
  EXPECT_EQ(heading(1, 0), "SetPosition(1,4.48);PrintText() \"Gas Analysis\";");
  EXPECT_EQ(heading(2, 0), "SetPosition(1,4.48);PrintText() \"Gas Analysis - Section 1\";");
  EXPECT_EQ(heading(2, 2), "SetPosition(1,4.48);PrintText() \"Gas Analysis - Section 3\";");
  // Above 2: no heading; the molecular weight stays on its line.
  EXPECT_EQ(heading(3, 0), "");
  EXPECT_EQ(DrawingFrom(first_)[3], "PrintText() \"Total Mol Weight  18.04\"");
}

TEST_F(GasAnalysisTest, CodesFractionsAndWeightComeFromThePrintedSection) {
  Print(MakeReportCase(2, true, 2), 1);
  EXPECT_THAT(
      Texts(),
      ElementsAre("1,4.48 10 b Gas Analysis - Section 2", "6.12,4.48 10 Total Mol Weight  28.96",
                  "1,4.78 10 u Gas  ", "1.5,4.78 10 u Mol Fr  ", "2.25,4.78 10 u Gas  ",
                  "2.75,4.78 10 u Mol Fr  ", "1,4.93 10 L01 ", "1.5,4.93 10 0.10100",
                  "2.25,4.93 10 L02 ", "2.75,4.93 10 0.10200"));
}

TEST_F(GasAnalysisTest, MolWeightFormatHasNoGroupingAndTwoDecimals) {
  Print(MakeReportCase(1), 2);
  // 1234.567 as "####.00"; 25 characters at 10 pt: 1.5 in
  EXPECT_THAT(Texts(), ::testing::Contains("6,4.48 10 Total Mol Weight  1234.57"));
}

TEST_F(GasAnalysisTest, SectionOutsideZeroToTwoIsAPrinterError) {
  const ReportCase c = MakeReportCase(3);
  EXPECT_THROW(Frame(c).PrintGasAnalysisPage(3), PrinterError);
  EXPECT_THROW(Frame(c).PrintGasAnalysisPage(-1), PrinterError);
  EXPECT_TRUE(surface_.calls().empty());
}

TEST_F(GasAnalysisTest, ComponentCountBeyondTheTableIsAPrinterError) {
  const ReportCase c = MakeReportCase(31);
  EXPECT_THROW(Frame(c).PrintGasAnalysisPage(0), PrinterError);
  const ReportCase negative = MakeReportCase(-1);
  EXPECT_THROW(Frame(negative).PrintGasAnalysisPage(0), PrinterError);
}

TEST_F(GasAnalysisTest, FractionThatIsNotANumberIsAPrinterError) {
  ReportCase c = MakeReportCase(3);
  c.mol_fraction[0][1] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_THROW(Print(c), PrinterError);
  c = MakeReportCase(3);
  c.mix_mol_weight[0] = std::numeric_limits<double>::infinity();
  EXPECT_THROW(Print(c), PrinterError);
}

TEST_F(ReportFrameTest, CentredAndRuleUseThePrintableWidth) {
  RecordingPrinterSurface wide(10.0);
  const ReportCase c = MakeReportCase(3);
  ReportFrame frame(wide, ReportServices{state_, pictures_, clock_}, c);
  state_.ReportLineY = 3.0;
  wide.SetFontSize(10);
  frame.PrintCentred("ABCD");  // 0.24 in wide
  frame.PrintRule();
  frame.PrintAtX(1.25, "x");
  EXPECT_THAT(wide.Drawing(),
              ElementsAre("SetFontSize(10)", "SetPosition(4.88,3)", "PrintText() \"ABCD\"",
                          "DrawLine(1,3,9.5,3,0,0,0)", "SetPosition(1.25,3)", "PrintText() \"x\""));
  EXPECT_DOUBLE_EQ(state_.ReportLineY, 3.0);
}

}  // namespace
}  // namespace torvane
