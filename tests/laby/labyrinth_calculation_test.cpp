#include "laby/labyrinth_calculation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "document/laby_data_units.h"
#include "laby/laby_test_support.h"
#include "platform/errors.h"

namespace torvane {
namespace {

using Status = LabyOutcome::Status;

UnitChoice Units(UnitSystem system) {
  UnitChoice u;
  u.ApplyUnitChoice(PresetIndices(system));
  return u;
}

class LabyrinthCalculationTest : public ::testing::Test, public testing::MethaneEngineFixture {
 protected:
  LabyOutcome Run(const LabyInputs& in, UnitSystem system = UnitSystem::kEnglish) {
    LabyrinthCalculation calc(Units(system), engine_, messages_);
    return calc.Calculate(in);
  }
};

TEST_F(LabyrinthCalculationTest, EnglishCaseShowsResultsAndFillsTheRecord) {
  const LabyInputs in = testing::EnglishStraightCase();
  const LabyOutcome r = Run(in);
  ASSERT_EQ(r.status, Status::kDone);
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_NEAR(r.results.laby_flow, 81.61590964028952, 1e-9);
  EXPECT_NEAR(r.results.laby_flow_std, 1931.1786966884745, 1e-9);
  EXPECT_EQ(r.results.std_flow_unit, "SCFM");
  EXPECT_NEAR(r.results.laby_supply_flow, 58.04018395363139, 1e-7);
  EXPECT_NEAR(r.results.laby_volume_flow, 302.36458998374707, 1e-7);
  const LabyData expected = {0,
                             1,
                             6,
                             0.012,
                             500,
                             100,
                             100,
                             0.02,
                             0.125,
                             8,
                             0.67,
                             r.results.laby_flow,
                             r.results.laby_flow_std,
                             r.results.laby_supply_flow,
                             r.results.laby_volume_flow};
  EXPECT_EQ(r.laby_data, expected);
}

TEST_F(LabyrinthCalculationTest, SICaseConvertsInputsAndResults) {
  LabyInputs in;
  in.laby_type = 1;
  in.seal_dia = 150;        // mm
  in.seal_rad_clear = 0.3;  // mm
  in.press_up = 30;         // Bar a
  in.press_down = 5;
  in.temp_up = 40;  // deg C
  in.tooth_thk = 0.5;
  in.tooth_spc = 3;
  in.tooth_no = 8;
  in.flo_co = 0.67;
  const LabyOutcome r = Run(in, UnitSystem::kSI);
  ASSERT_EQ(r.status, Status::kDone);
  // Independent reference in lb/min, SCFM and ft3/min, converted to kg/hr, Sm3/hr and m3/hr.
  EXPECT_NEAR(r.results.laby_flow, 69.95461954560251 * 27.2154, 1e-7);
  EXPECT_NEAR(r.results.laby_flow_std, 1655.2516733174466 * 1.699, 1e-7);
  EXPECT_EQ(r.results.std_flow_unit, "Sm3/hr");
  EXPECT_NEAR(r.results.laby_supply_flow, 58.02555528654476 * 1.699, 1e-6);
  EXPECT_NEAR(r.results.laby_volume_flow, 361.0427930481777 * 1.699, 1e-6);
  EXPECT_EQ(r.laby_data[kLabyStdFlow], r.results.laby_flow_std);
}

TEST_F(LabyrinthCalculationTest, StandardFlowUnitFollowsTheMassFlowUnit) {
  EXPECT_EQ(StandardFlowUnit(0), "SCFM");
  EXPECT_EQ(StandardFlowUnit(1), "SCFM");
  EXPECT_EQ(StandardFlowUnit(2), "Sm3/hr");
  EXPECT_EQ(StandardFlowUnit(3), "Sm3/hr");
  UnitChoice lb_hr;
  UnitIndices idx = {};
  idx[static_cast<size_t>(Quantity::kMassFlow)] = 1;
  lb_hr.ApplyUnitChoice(idx);
  LabyrinthCalculation calc(lb_hr, engine_, messages_);
  const LabyOutcome r = calc.Calculate(testing::EnglishStraightCase());
  EXPECT_EQ(r.results.std_flow_unit, "SCFM");
  EXPECT_NEAR(r.results.laby_flow_std, 1931.1786966884745, 1e-9);
  EXPECT_NEAR(r.results.laby_flow, 81.61590964028952 * 60, 1e-8);
}

TEST_F(LabyrinthCalculationTest, FieldChecksRunInOrderAndStopAtTheFirst) {
  LabyInputs in = testing::EnglishStraightCase();
  in.seal_dia = 91;
  in.press_up = 0;
  in.tooth_no = 60;
  LabyOutcome r = Run(in);
  EXPECT_EQ(r.status, Status::kFieldCheckFailed);
  EXPECT_EQ(r.focus, LabyField::kSealDia);
  EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Maximum allowable diameter is 90 in"});

  struct Case {
    void (*change)(LabyInputs&);
    LabyField focus;
    const char* message;
  };
  const Case cases[] = {
      {[](LabyInputs& i) { i.seal_dia = 0.99; }, LabyField::kSealDia,
       "Minimum allowable diameter is 1 in"},
      {[](LabyInputs& i) { i.press_up = 10001; }, LabyField::kPressUp,
       "Maximum allowable pressure is 10000 psia    "},
      {[](LabyInputs& i) { i.press_up = 0.5; }, LabyField::kPressUp,
       "Minimum allowable pressure is 1 psia    "},
      {[](LabyInputs& i) { i.seal_rad_clear = -0.001; }, LabyField::kSealRadClear,
       "Minimum allowable radial clearance is 0 in"},
      {[](LabyInputs& i) { i.temp_up = 1041; }, LabyField::kTempUp,
       "Maximum allowable temperature is 1040 deg F"},
      {[](LabyInputs& i) { i.temp_up = -461; }, LabyField::kTempUp,
       "Minimum allowable temperature is -460 deg F"},
      {[](LabyInputs& i) { i.tooth_no = 50.5; }, LabyField::kToothNo,
       "Maximum number of teeth is 50"},
      {[](LabyInputs& i) { i.tooth_no = 0.5; }, LabyField::kToothNo,
       "Minimum number of teeth is 1"},
      {[](LabyInputs& i) { i.tooth_spc = 0.31; }, LabyField::kToothSpc,
       "Maximum allowable tooth spacing is 0.3 in"},
      {[](LabyInputs& i) { i.tooth_spc = 0.04; }, LabyField::kToothSpc,
       "Minimum allowable tooth spacing is 0.05 in"},
      {[](LabyInputs& i) { i.tooth_thk = 0.11; }, LabyField::kToothThk,
       "Maximum allowable tooth thickness is 0.1 in"},
      {[](LabyInputs& i) { i.tooth_thk = 0.009; }, LabyField::kToothThk,
       "Minimum allowable tooth thickness is 0.01 in"},
  };
  for (const auto& c : cases) {
    messages_.Clear();
    in = testing::EnglishStraightCase();
    c.change(in);
    r = Run(in);
    EXPECT_EQ(r.status, Status::kFieldCheckFailed) << c.message;
    EXPECT_EQ(r.focus, c.focus) << c.message;
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{c.message});
  }
}

TEST_F(LabyrinthCalculationTest, BoundsAreAcceptedInEveryUnitSystem) {
  LabyInputs in = testing::EnglishStraightCase();
  in.seal_dia = 90;
  in.tooth_spc = 0.3;
  in.tooth_thk = 0.1;
  in.tooth_no = 50;
  in.seal_rad_clear = 0.2;  // equal to the suggested clearance: no warning
  EXPECT_EQ(Run(in).status, Status::kDone);
  in.seal_dia = 1;
  in.tooth_spc = 0.05;
  in.tooth_thk = 0.01;
  in.tooth_no = 1;
  in.seal_rad_clear = 0;
  EXPECT_EQ(Run(in).status, Status::kDone);
  for (const auto& t : messages_.texts())
    EXPECT_EQ(t.find("Radial clearance exceeds"), std::string::npos);

  LabyrinthCalculation metric(Units(UnitSystem::kTechMetric), engine_, messages_);
  messages_.Clear();
  EXPECT_NO_THROW(metric.CheckField(LabyField::kPressUp, 700));
  EXPECT_THROW(metric.CheckField(LabyField::kPressUp, 700.01), InputOutOfRange);
  EXPECT_NO_THROW(metric.CheckField(LabyField::kSealDia, 2300));
  EXPECT_THROW(metric.CheckField(LabyField::kSealDia, 24.9), InputOutOfRange);
  EXPECT_THROW(metric.CheckField(LabyField::kToothThk, 2.6), InputOutOfRange);
  EXPECT_THROW(metric.CheckField(LabyField::kTempUp, -274), InputOutOfRange);
  EXPECT_NO_THROW(metric.CheckField(LabyField::kPressDown, 1e9));  // no check
  EXPECT_NO_THROW(metric.CheckField(LabyField::kFloCo, -5));
  const std::vector<std::string> expected = {
      "Maximum allowable pressure is 700 kg/cm2 a",
      "Minimum allowable diameter is 25 mm",
      "Maximum allowable tooth thickness is 2.5 mm",
      "Minimum allowable temperature is -273 deg C",
  };
  EXPECT_EQ(messages_.texts(), expected);
}

TEST_F(LabyrinthCalculationTest, BelowSaturationStopShowsTheRoundedSaturationTemperature) {
  LabyInputs in = testing::EnglishStraightCase();
  in.press_up = 14.696;
  in.press_down = 14;
  in.temp_up = -300;  // saturation of methane at 14.696 psia is 201.44 degR = -258.23 deg F
  const LabyOutcome r = Run(in);
  EXPECT_EQ(r.status, Status::kStopped);
  EXPECT_EQ(r.stop, LeakageStop::kBelowSaturation);
  EXPECT_EQ(r.focus, LabyField::kTempUp);
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0].text, "Temperature is below saturation of -258.2 deg F");
  EXPECT_EQ(messages_.messages()[0].icon, MessageIcon::kNone);

  messages_.Clear();
  UnitIndices rankine = {};
  rankine[static_cast<size_t>(Quantity::kTemperature)] = 1;
  UnitChoice u;
  u.ApplyUnitChoice(rankine);
  in.temp_up = 150;
  LabyrinthCalculation calc(u, engine_, messages_);
  EXPECT_EQ(calc.Calculate(in).status, Status::kStopped);
  EXPECT_EQ(messages_.texts().at(0), "Temperature is below saturation of 201.4 deg R");
}

TEST_F(LabyrinthCalculationTest, DownstreamPressureAboveUpstreamStops) {
  LabyInputs in = testing::EnglishStraightCase();
  in.press_down = 501;
  const LabyOutcome r = Run(in);
  EXPECT_EQ(r.status, Status::kStopped);
  EXPECT_EQ(r.focus, LabyField::kPressDown);
  EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Downstream pressure is too high"});
  in.press_down = 500;  // equal pressures: zero flow, no message
  messages_.Clear();
  const LabyOutcome equal = Run(in);
  EXPECT_EQ(equal.status, Status::kDone);
  EXPECT_EQ(equal.results.laby_flow, 0.0);
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(LabyrinthCalculationTest, WarningsComeInOrderBeforeTheCalculationError) {
  LabyInputs in = testing::EnglishStraightCase();
  in.seal_rad_clear = 0.25;  // ratio 0.83 and above the suggested 0.2 in
  in.press_down = 0;         // then the exhaust specific volume fails
  const LabyOutcome r = Run(in);
  EXPECT_EQ(r.status, Status::kCalculationError);
  ASSERT_EQ(messages_.messages().size(), 3u);
  EXPECT_EQ(messages_.messages()[0].text,
            "Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not be "
            "accurate.");
  EXPECT_EQ(messages_.messages()[1].text,
            "Warning: Radial clearance exceeds suggested value of, 0.2. Calculations may not be "
            "accurate");
  EXPECT_EQ(messages_.messages()[2].text, "Calculation error, recheck input and try again");
  EXPECT_EQ(messages_.messages()[2].icon, MessageIcon::kCritical);
  EXPECT_EQ(r.laby_data, LabyData{});
}

TEST_F(LabyrinthCalculationTest, SuggestedClearanceWarningUsesTheMillimetreValue) {
  LabyInputs in;
  in.laby_type = 0;
  in.seal_dia = 150;
  in.seal_rad_clear = 5.5;
  in.press_up = 30;
  in.press_down = 5;
  in.temp_up = 40;
  in.tooth_thk = 0.5;
  in.tooth_spc = 7.5;
  in.tooth_no = 8;
  in.flo_co = 0.67;
  EXPECT_EQ(Run(in, UnitSystem::kSI).status, Status::kDone);
  const std::vector<std::string> expected = {
      "Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not be "
      "accurate.",
      "Warning: Radial clearance exceeds suggested value of, 5. Calculations may not be accurate"};
  EXPECT_EQ(messages_.texts(), expected);
}

TEST_F(LabyrinthCalculationTest, TeethAt4322IsACalculationError) {
  LabyInputs in = testing::EnglishStraightCase();
  in.tooth_no = 4.322;
  EXPECT_EQ(Run(in).status, Status::kCalculationError);
  EXPECT_EQ(messages_.texts(),
            std::vector<std::string>{"Calculation error, recheck input and try again"});
}

TEST_F(LabyrinthCalculationTest, NegativeCarryOverEndsWithTheErrorAfterBothWarnings) {
  LabyInputs in = testing::EnglishStraightCase();
  in.seal_dia = 12;
  in.seal_rad_clear = 0.25;
  in.tooth_spc = 0.125;
  in.tooth_no = 12;
  const LabyOutcome r = Run(in);
  EXPECT_EQ(r.status, Status::kCalculationError);
  EXPECT_EQ(r.warnings.size(), 2u);
  EXPECT_EQ(messages_.texts(),
            (std::vector<std::string>{
                "Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not "
                "be accurate.",
                "Warning: Radial clearance exceeds suggested value of, 0.2. Calculations may not "
                "be accurate",
                "Calculation error, recheck input and try again"}));
  EXPECT_EQ(r.laby_data, LabyData{});
}

TEST_F(LabyrinthCalculationTest, AConvertedRecordCalculatesToItsConvertedResults) {
  // The record converted into SI is what the SI window calculates from it, to round-off.
  const LabyOutcome english = Run(testing::EnglishStraightCase());
  ASSERT_EQ(english.status, Status::kDone);
  const LabyData si =
      ConvertLabyData(english.laby_data, Units(UnitSystem::kEnglish), Units(UnitSystem::kSI));
  const LabyInputs in = RecordInputs(si);
  const LabyOutcome again = Run(in, UnitSystem::kSI);
  ASSERT_EQ(again.status, Status::kDone);
  for (int slot = kLabyFlow; slot <= kLabyVolumeFlow; ++slot) {
    const double expected = si[static_cast<size_t>(slot)];
    EXPECT_NEAR(again.laby_data[static_cast<size_t>(slot)], expected, expected * 1e-9) << slot;
  }
}

}  // namespace
}  // namespace torvane
