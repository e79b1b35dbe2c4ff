// The rotordynamics page after the labyrinth report: the first page call for call as without
// it, then the inputs, the table of speeds and the two stability plots on a page of its own.
#include "reports/dynamics_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "report_test_support.h"
#include "reports/recording_printer_surface.h"
#include "support/dynamics_answers.h"

namespace torvane {
namespace {

using testing::FailedAnswer;
using testing::SampleAnswer;
using testing_support::MakeLabyData;
using testing_support::MakeReportCase;
using testing_support::ReportDay;
using testing_support::Units;

class DynamicsPageTest : public ::testing::Test {
 protected:
  DynamicsPageTest() {
    results_.units = Units(UnitSystem::kSI);
    results_.inputs.laby_type = 0;
    results_.options.tooth_height = 3.175;
    results_.gamma = CaseGamma{1.3, GammaSource::kGiven, ""};
    results_.leakage = {true, "", 0.0237191, false};
    SpeedAnswer rest = SampleAnswer(0);
    rest.effective_damping.reset();
    rest.whirl_frequency_ratio.reset();
    results_.speeds = {rest, SampleAnswer(4000), FailedAnswer(6000, "No reliable solution"),
                       SampleAnswer(8000)};
  }
  ReportServices Services(ReportState& state) { return ReportServices{state, pictures_, clock_}; }
  std::vector<std::string> Printed(const DynamicsResults& r) {
    ReportState state;
    RecordingPrinterSurface surface;
    PrintDynamicsPage(surface, Services(state), r);
    calls_ = surface.calls();
    return surface.PrintedTexts();
  }
  // Whether a text was printed, whatever its position.
  static bool Has(const std::vector<std::string>& printed, const std::string& text) {
    return std::any_of(printed.begin(), printed.end(), [&](const std::string& p) {
      return p.size() >= text.size() && p.compare(p.size() - text.size(), text.size(), text) == 0;
    });
  }

  DynamicsResults results_;
  RecordingPictureLoader pictures_;
  FixedReportClock clock_{ReportDay()};
  std::vector<SurfaceCall> calls_;
};

TEST_F(DynamicsPageTest, FirstPageIsPrintedExactlyAsWithoutTheCoefficients) {
  const LabyData laby = MakeLabyData();
  const ReportCase report_case = MakeReportCase(6);
  const UnitChoice english = Units(UnitSystem::kEnglish);
  ReportState alone_state, with_state;
  RecordingPrinterSurface alone, with;
  PrintLabyrinthReport(alone, Services(alone_state), report_case, laby, english);
  PrintLabyrinthReportWithDynamics(with, Services(with_state), report_case, laby, english,
                                   results_);
  testing_support::ExpectFirstPageAsAlone(alone, with);
}

TEST_F(DynamicsPageTest, HeadingInputsTableAndPlots) {
  const std::vector<std::string> printed = Printed(results_);
  ASSERT_GE(printed.size(), 4u);
  EXPECT_EQ(printed[0], "1,1 8 Page 2");
  EXPECT_EQ(printed[1].substr(printed[1].find(' ')), " 14 b Rotordynamic Coefficients");
  EXPECT_EQ(printed[2].substr(printed[2].find(' ')),
            " 10 4 speeds, 1 failed; leakage 0.0237191 kg/hr");
  EXPECT_EQ(printed[3],
            "1,2.05 9 Tooth height 3.175 mm, preswirl 0.5, whirl ratio 1, gamma 1.300, viscosity "
            "from the gas");
  for (const char* text : {" 8 b Speed",
                           " 8 b K = kxx",
                           " 8 b c = cxy",
                           " 8 b Eff. damping",
                           " 8 b WFR",
                           " 8 (rpm)",
                           " 8 (N/m)",
                           " 8 (N-s/m)",
                           " 8 -50456.6",
                           " 8 35541.6",
                           " 8 23.8251",
                           " 8 56.2557",
                           " 8 -3327.94",
                           " 8 -18.5996",
                           " 8 1.78067",
                           " 8 failed: No reliable solution",
                           " 9 b Effective damping (N-s/m)",
                           " 9 b Whirl frequency ratio",
                           " 8 Rotor speed (rpm)",
                           " 8 Zero",
                           " 8 WFR = 1",
                           " 8 Effective damping"}) {
    EXPECT_TRUE(Has(printed, text)) << text;
  }
  // Under the names and units, one row a speed 0.16 in apart; speed 0 has no effective damping
  // or whirl frequency ratio, a failed speed its reason after the speed.
  const auto row = [&](const std::string& y) {
    std::vector<std::string> texts;
    for (const std::string& p : printed) {
      if (p.find("," + y + " 8 ") != std::string::npos) texts.push_back(p.substr(p.find(' ') + 3));
    }
    return texts;
  };
  EXPECT_EQ(row("2.5"), (std::vector<std::string>{"(rpm)", "(N/m)", "(N/m)", "(N-s/m)", "(N-s/m)",
                                                  "(N/m)", "(N-s/m)"}));
  EXPECT_EQ(row("2.71"), (std::vector<std::string>{"0", "-50456.6", "35541.6", "23.8251", "56.2557",
                                                   "-3327.94"}));
  EXPECT_EQ(row("3.03"), (std::vector<std::string>{"6000", "failed: No reliable solution"}));
  EXPECT_EQ(row("3.19").size(), 8u);
  EXPECT_EQ(calls_.back().ToString(), "DrawPicture(1.35,8.55,6,2.11) \"qnfooter3.bmp\"");
  EXPECT_EQ(calls_.front().op, "NewPage");
}

TEST_F(DynamicsPageTest, AFewSpeedsOfManyAreListedWithANote) {
  EXPECT_EQ(DynamicsPageRows(3), (std::vector<size_t>{0, 1, 2}));
  EXPECT_EQ(DynamicsPageRows(41),
            (std::vector<size_t>{0, 3, 6, 9, 11, 14, 17, 20, 23, 26, 29, 31, 34, 37, 40}));
  results_.speeds.assign(41, SampleAnswer(1000));
  const std::vector<std::string> printed = Printed(results_);
  std::string note;
  for (const std::string& p : printed) {
    if (p.find(" 8 ") != std::string::npos && p.find("kyy = kxx") != std::string::npos) note = p;
  }
  EXPECT_NE(note.find("15 of 41 speeds are listed;"), std::string::npos) << note;
}

TEST_F(DynamicsPageTest, AFigureUndefinedAtEverySpeedSaysSo) {
  results_.speeds = {FailedAnswer(100, "x")};
  const std::vector<std::string> printed = Printed(results_);
  EXPECT_TRUE(Has(printed, " 8 Not defined at these speeds"));
  EXPECT_TRUE(Has(printed, " 8 failed: x"));
}

TEST_F(DynamicsPageTest, PrinterFailureOnTheSecondPagePropagates) {
  ReportState state;
  RecordingPrinterSurface surface;
  surface.FailAtCall(400);
  EXPECT_THROW(
      PrintLabyrinthReportWithDynamics(surface, Services(state), MakeReportCase(6), MakeLabyData(),
                                       Units(UnitSystem::kEnglish), results_),
      PrinterError);
  EXPECT_FALSE(surface.ended());
}

}  // namespace
}  // namespace torvane
