// The comparison page after the labyrinth report: the first page call for call as without it,
// then the table, the notes and the pressure plot on a page of its own.
#include "reports/method_comparison_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/gas_engine.h"
#include "methods/comparison_table.h"
#include "platform/message_service.h"
#include "report_test_support.h"
#include "reports/recording_printer_surface.h"

namespace torvane {
namespace {

using testing_support::MakeLabyData;
using testing_support::MakeReportCase;
using testing_support::ReportDay;
using testing_support::Units;

class ComparisonPageTest : public ::testing::Test {
 protected:
  ComparisonPageTest() {
    engine_.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});
    inputs_ = RecordInputs(laby_);
    inputs_.press_up = 500;  // 500 -> 100 psia at 100 deg F, choked at the last of 8 teeth
    inputs_.temp_up = 100;
  }
  ReportServices Services(ReportState& state) { return ReportServices{state, pictures_, clock_}; }
  MethodComparison Comparison() { return CompareMethods(inputs_, units_, engine_); }

  RecordingMessageService messages_;
  GasEngine engine_{messages_};
  UnitChoice units_ = Units(UnitSystem::kEnglish);
  LabyData laby_ = MakeLabyData();
  LabyInputs inputs_;
  RecordingPictureLoader pictures_;
  FixedReportClock clock_{ReportDay()};
  ReportCase case_ = MakeReportCase(6);
};

TEST_F(ComparisonPageTest, FirstPageIsPrintedExactlyAsWithoutTheComparison) {
  ReportState alone_state, with_state;
  RecordingPrinterSurface alone, with;
  PrintLabyrinthReport(alone, Services(alone_state), case_, laby_, units_);
  PrintLabyrinthReportWithComparison(with, Services(with_state), case_, laby_, units_,
                                     Comparison());
  testing_support::ExpectFirstPageAsAlone(alone, with);
  EXPECT_TRUE(with.ended());
}

// With the real gas, its tooth by tooth is a fifth row and the columns after the method names
// move right to make room for its name.
TEST_F(ComparisonPageTest, RealGasAddsAFifthRowWithWiderNames) {
  const MethodComparison c = CompareMethods(inputs_, units_, engine_, 1.3, true);
  const ComparisonTable table = MakeComparisonTable(c);
  ASSERT_EQ(table.rows.size(), 5u);
  ReportState state;
  RecordingPrinterSurface surface;
  PrintMethodComparisonPage(surface, Services(state), c);
  const std::vector<std::string> printed = surface.PrintedTexts();
  EXPECT_EQ(printed[3], "1,2.05 10 u Method");
  EXPECT_EQ(printed[4], "2.6,2.05 10 u Leakage (lb/min)");
  EXPECT_EQ(printed[5], "3.75,2.05 10 u Ratio to correlation");
  EXPECT_EQ(printed[6], "5,2.05 10 u Choked");
  EXPECT_EQ(printed[9 + 6 * 4], "1,3.1 10 Tooth by tooth (real gas)");
  EXPECT_EQ(printed[9 + 6 * 4 + 1], "2.6,3.1 10 " + table.rows[4][1]);
  EXPECT_EQ(printed[9 + 6 * 4 + 4], "5.6,3.1 10 8");
  EXPECT_EQ(printed[9 + 6 * 4 + 5], "6.65,3.1 10 " + table.rows[4][5]);
}

TEST_F(ComparisonPageTest, TableNotesAndPlot) {
  const MethodComparison c = Comparison();
  const ComparisonTable table = MakeComparisonTable(c);
  ReportState state;
  RecordingPrinterSurface surface;
  PrintMethodComparisonPage(surface, Services(state), c);
  const std::vector<std::string> printed = surface.PrintedTexts();
  ASSERT_GE(printed.size(), 4u);
  EXPECT_EQ(printed[0], "1,1 8 Page 2");
  EXPECT_EQ(printed[1].substr(printed[1].find(' ')), " 14 b Leakage Methods Compared");
  EXPECT_EQ(printed[2].substr(printed[2].find(' ')),
            " 10 Gamma (cp/cv) 1.297 from the gas, ideal gas");
  // The header underlined at 2.05 in, the four rows 0.2 in apart from 2.3 in.
  EXPECT_EQ(printed[3], "1,2.05 10 u Method");
  EXPECT_EQ(printed[4], "2.4,2.05 10 u Leakage (lb/min)");
  EXPECT_EQ(printed[9], "1,2.3 10 Program correlation");
  EXPECT_EQ(printed[10], "2.4,2.3 10 " + table.rows[0][1]);
  EXPECT_EQ(printed[9 + 6 * 3], "1,2.9 10 Tooth by tooth");
  EXPECT_EQ(printed[9 + 6 * 3 + 3], "4.8,2.9 10 Yes");
  EXPECT_EQ(printed[9 + 6 * 3 + 4], "5.45,2.9 10 8");
  const auto has = [&](const std::string& text) {
    return std::any_of(printed.begin(), printed.end(), [&](const std::string& p) {
      return p.size() >= text.size() && p.compare(p.size() - text.size(), text.size(), text) == 0;
    });
  };
  EXPECT_TRUE(has(" b Tooth-by-tooth cavity pressures"));
  EXPECT_TRUE(has(" Pressure (psia)"));
  EXPECT_TRUE(has(" Station"));
  EXPECT_TRUE(has(" Choked at throttle 8"));
  EXPECT_TRUE(has(" choked"));

  // The profile: eight segments in its colour between the stations, the choked station marked
  // by four red lines, the footer picture at the bottom.
  const auto& calls = surface.calls();
  const auto lines_in = [&](double r, double g, double b) {
    return std::count_if(calls.begin(), calls.end(), [&](const SurfaceCall& call) {
      return call.op == "DrawLine" && call.args[4] == r && call.args[5] == g && call.args[6] == b;
    });
  };
  // 8 segments + 4 sides of 9 station squares + legend line and square.
  EXPECT_EQ(lines_in(0, 70, 160), 8 + 9 * 4 + 1 + 4);
  EXPECT_GT(lines_in(200, 30, 30), 8);  // dashes of the downstream line, the diamonds
  EXPECT_EQ(calls.back().ToString(), "DrawPicture(1.35,8.55,6,2.11) \"qnfooter3.bmp\"");
  EXPECT_EQ(calls.front().op, "NewPage");
  EXPECT_FALSE(surface.ended());
}

TEST_F(ComparisonPageTest, FailedMethodsAreNotedAndLeaveNoPlot) {
  inputs_.tooth_no = 8.5;
  inputs_.press_down = 600;  // the correlation stops, every method fails
  const MethodComparison c = Comparison();
  ReportState state;
  RecordingPrinterSurface surface;
  PrintMethodComparisonPage(surface, Services(state), c);
  const std::vector<std::string> printed = surface.PrintedTexts();
  const auto find = [&](const std::string& text) {
    return std::find_if(printed.begin(), printed.end(),
                        [&](const std::string& p) { return p.find(text) != std::string::npos; });
  };
  EXPECT_NE(find("9 Program correlation: Downstream pressure is too high"), printed.end());
  EXPECT_NE(find("9 Martin: The downstream pressure is above the upstream pressure"),
            printed.end());
  EXPECT_NE(find("10 No pressure profile: The downstream pressure is above the upstream"),
            printed.end());
  EXPECT_EQ(find("Station"), printed.end());
}

TEST_F(ComparisonPageTest, PrinterFailureOnTheSecondPagePropagates) {
  ReportState state;
  RecordingPrinterSurface surface;
  surface.FailAtCall(400);
  EXPECT_THROW(PrintLabyrinthReportWithComparison(surface, Services(state), case_, laby_, units_,
                                                  Comparison()),
               PrinterError);
  EXPECT_FALSE(surface.ended());
}

TEST(NiceTicksTest, StepsOfOneTwoOrFive) {
  AxisTicks t = NiceTicks(94.3, 308, 5);
  EXPECT_EQ(t.step, 50);
  EXPECT_EQ(t.low, 50);
  EXPECT_EQ(t.high, 350);
  t = NiceTicks(0, 1, 5);
  EXPECT_DOUBLE_EQ(t.step, 0.2);
  t = NiceTicks(6.5, 30, 5);
  EXPECT_EQ(t.step, 5);
  EXPECT_EQ(t.low, 5);
  EXPECT_EQ(t.high, 30);
  t = NiceTicks(500, 500, 5);  // a flat profile
  EXPECT_EQ(t.step, 20);
  EXPECT_EQ(t.low, 440);
  EXPECT_EQ(t.high, 560);
  EXPECT_THROW(NiceTicks(0, std::nan(""), 5), PrinterError);
}

TEST(RecordingSurfaceTest, NewPageCountsPages) {
  RecordingPrinterSurface surface;
  EXPECT_EQ(surface.PageNumber(), 1);
  surface.NewPage();
  EXPECT_EQ(surface.PageNumber(), 2);
  EXPECT_EQ(surface.Drawing(), std::vector<std::string>{"NewPage()"});
}

}  // namespace
}  // namespace torvane
