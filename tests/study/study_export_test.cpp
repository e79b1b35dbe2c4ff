// What the study window's exports and plots say beside the curves, the thinning of long curves
// for drawing, and teeth that come in whole numbers.
#include "study/study_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "document/case_context.h"
#include "platform/message_service.h"
#include "study/study_form.h"
#include "study/study_plot.h"
#include "support/english_case.h"

namespace torvane {
namespace {

class StudyExportTest : public ::testing::Test {
 protected:
  StudyExportTest() {
    CaseRecord& r = context_.record;
    r.component_count = 2;
    r.last_gas_section = 1;
    r.GasCode(0, 0) = FixedText<4>("CH4");
    r.MolFraction(0, 0) = 0.9;
    r.GasCode(1, 0) = FixedText<4>("C2H6");
    r.MolFraction(1, 0) = 0.1;
    r.case_title = FixedText<40>("Pipeline compressor");
    context_.gas_file_title = "NATGAS.GAS";
    context_.settings_file_path = "/data/cases/case1.trv";
    context_.engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 0.9}, {2, 0.1}});
  }

  std::unique_ptr<StudyRun> Run(std::vector<SweepRange> ranges) {
    auto run = std::make_unique<StudyRun>(context_.units, context_.engine,
                                          testing::EnglishStraightCase(), std::move(ranges));
    while (run->RunUntil(StudyRun::Clock::now() + std::chrono::seconds(10))) {
    }
    return run;
  }

  RecordingMessageService messages_;
  CaseContext context_{messages_};
};

TEST_F(StudyExportTest, TheHeadingNamesTheCaseTheGasAndEveryInput) {
  const auto owned =
      Run({ParseSweepRange("clearance=0.005:0.02:4"), ParseSweepRange("teeth=4:12:3")});
  const StudyRun& run = *owned;
  EXPECT_EQ(StudyExportHeading(StudyCaseOf(context_), run),
            (std::vector<std::string>{
                "Title: Pipeline compressor",
                "Settings file: case1.trv",
                "Gas: NATGAS.GAS, gas 1 of 2: CH4 0.90000, C2H6 0.10000",
                "Fixed inputs: Straight labyrinth, Seal diameter = 6 in, Upstream pressure = 500 "
                "psia, Downstream pressure = 100 psia, Upstream temperature = 100 deg F, Tooth "
                "thickness = 0.02 in, Tooth spacing = 0.125 in, Flow coefficient = 0.67",
                "Varied: Seal radial clearance from 0.005 to 0.02 in, 4 points; curves of Number "
                "of teeth from 4 to 12, 3 values",
                "12 points, 0 failed",
            }));
  EXPECT_EQ(StudyFailedPointLines(run, 20), std::vector<std::string>{"Failed points: none"});

  // A case never saved, with the labyrinth window's own title.
  context_.settings_file_path.clear();
  context_.laby_title = "Seal 3";
  const StudyCase unsaved = StudyCaseOf(context_);
  EXPECT_EQ(unsaved.title, "Seal 3");
  EXPECT_EQ(StudyExportHeading(unsaved, run)[1], "Settings file: <Unsaved Data>");
}

TEST_F(StudyExportTest, FailedPointsAreListedUpToTheirLimit) {
  // 85 to 100 in: every diameter above 90 in fails its field check.
  const auto owned = Run({ParseSweepRange("diameter=85:100:4")});
  const StudyRun& run = *owned;
  ASSERT_EQ(run.failed(), 2);
  EXPECT_EQ(StudyFailedPointLines(run, 20),
            (std::vector<std::string>{
                "Failed points:",
                "Seal diameter = 95 in: Maximum allowable diameter is 90 in",
                "Seal diameter = 100 in: Maximum allowable diameter is 90 in",
            }));
  EXPECT_EQ(StudyFailedPointLines(run, 1),
            (std::vector<std::string>{
                "Failed points:",
                "Seal diameter = 95 in: Maximum allowable diameter is 90 in",
                "... and 1 more",
            }));
  EXPECT_EQ(StudyExportHeading(StudyCaseOf(context_), run).back(), "4 points, 2 failed");
  EXPECT_EQ(PlotDescription(run.sweep(), run.points(), PlotQuantity::kMassFlow),
            "Leakage mass flow (lb/min) against Seal diameter (in), 4 points, 2 failed");
}

TEST_F(StudyExportTest, APlotIsDescribedForAScreenReader) {
  const auto owned =
      Run({ParseSweepRange("clearance=0.005:0.02:4"), ParseSweepRange("teeth=4:12:3")});
  const StudyRun& run = *owned;
  EXPECT_EQ(PlotDescription(run.sweep(), run.points(), PlotQuantity::kStdFlow),
            "Standard flow (SCFM) against Seal radial clearance (in), 12 points, 0 failed; one "
            "curve for each of 3 values of Number of teeth");
  StudyRun methods(context_.units, context_.engine, testing::EnglishStraightCase(),
                   {ParseSweepRange("clearance=0.005:0.02:2")}, SweepMethods{});
  EXPECT_EQ(PlotDescription(methods.sweep(), methods.points(), PlotQuantity::kMassFlow),
            "Leakage mass flow (lb/min) against Seal radial clearance (in), 0 points, 0 failed; "
            "dashed: Martin, Martin-Vermes, Tooth by tooth");
}

// A long curve is drawn through at most four points a column: the first, lowest, highest and
// last of each, in their order; one of two points a column or fewer through every point.
TEST(StudyPlotTest, LongCurvesAreThinnedForDrawingOnly) {
  std::vector<PlotPoint> run;
  for (int i = 0; i < 10000; ++i) {
    // A slow rise with one spike and one dip.
    double y = i * 0.001;
    if (i == 4321) y = 100;
    if (i == 7777) y = -100;
    run.push_back({static_cast<double>(i), y});
  }
  const std::vector<PlotPoint> drawn = ThinnedForDrawing(run, 100);
  // A steady rise is drawn through the first and last point of each column.
  EXPECT_EQ(drawn.size(), 202u);
  EXPECT_EQ(drawn.front(), run.front());
  EXPECT_EQ(drawn.back(), run.back());
  EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end(),
                             [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; }));
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), run[4321]), drawn.end());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), run[7777]), drawn.end());
  // Column 43 holds points 4300..4399: its first, its spike and its last.
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), run[4300]), drawn.end());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), run[4399]), drawn.end());

  const std::vector<PlotPoint> few(run.begin(), run.begin() + 200);
  EXPECT_EQ(ThinnedForDrawing(few, 100), few);
  EXPECT_EQ(ThinnedForDrawing(run, 0), run);
}

TEST(StudyPlotTest, TeethGoByWholeTeeth) {
  LabyInputs in = testing::EnglishStraightCase();
  EXPECT_EQ(StartingRange(StudyVariable::kTeeth, in, false),
            (SweepRange{StudyVariable::kTeeth, 8, 16, 9}));
  EXPECT_EQ(StartingRange(StudyVariable::kTeeth, in, true),
            (SweepRange{StudyVariable::kTeeth, 8, 16, 3}));
  in.tooth_no = 7.4;  // as typed into the labyrinth window
  EXPECT_EQ(StartingRange(StudyVariable::kTeeth, in, true),
            (SweepRange{StudyVariable::kTeeth, 7, 14, 2}));
  in.tooth_no = 30;
  EXPECT_EQ(StartingRange(StudyVariable::kTeeth, in, false),
            (SweepRange{StudyVariable::kTeeth, 30, 50, 21}));
  in.tooth_no = 0;
  EXPECT_EQ(StartingRange(StudyVariable::kTeeth, in, false),
            (SweepRange{StudyVariable::kTeeth, 1, 2, 2}));

  EXPECT_EQ(WholeTeethProblem({StudyVariable::kTeeth, 4, 12, 3}), std::nullopt);
  EXPECT_EQ(WholeTeethProblem({StudyVariable::kTeeth, 4, 4, 1}), std::nullopt);
  EXPECT_EQ(WholeTeethProblem({StudyVariable::kClearance, 0.1, 0.2, 3}), std::nullopt);
  EXPECT_EQ(WholeTeethProblem({StudyVariable::kTeeth, 4, 9, 3}),
            "The number of teeth goes by whole teeth: from 4 to 9 in 3 points gives 6.5");
  EXPECT_EQ(WholeTeethProblem({StudyVariable::kTeeth, 4.5, 9.5, 2}),
            "The number of teeth goes by whole teeth: from 4.5 to 9.5 in 2 points gives 4.5");

  StudyEntries entries;
  entries.first = StudyVariable::kClearance;
  entries.first_from = 0.005;
  entries.first_to = 0.02;
  entries.first_count = 4;
  entries.second = StudyVariable::kTeeth;
  entries.second_from = 4;
  entries.second_to = 12;
  entries.second_count = 4;
  const StudyEntryCheck check = CheckStudyEntries(entries);
  EXPECT_EQ(
      check.problem,
      "The number of teeth goes by whole teeth: from 4 to 12 in 4 points gives 6.66666666666667");
  EXPECT_EQ(check.focus, StudyBox::kSecondCount);
  EXPECT_TRUE(check.ranges.empty());
  entries.second_count = 5;
  EXPECT_EQ(CheckStudyEntries(entries).problem, "");
  // Along the axis a number of teeth is a point of the curve, not a label: any value goes.
  entries.first = StudyVariable::kTeeth;
  entries.first_from = 2.322;
  entries.first_to = 6.322;
  entries.second = StudyVariable::kClearance;
  entries.second_from = 0.01;
  entries.second_to = 0.02;
  entries.second_count = 3;
  EXPECT_EQ(CheckStudyEntries(entries).problem, "");
}

}  // namespace
}  // namespace torvane
