#include "laby/leakage.h"

#include <gtest/gtest.h>

#include <cmath>

#include "laby/laby_test_support.h"
#include "platform/errors.h"

namespace torvane {
namespace {

void ExpectRelative(double actual, double expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * tolerance) << "expected " << expected;
}

class LeakageTest : public ::testing::Test, public testing::MethaneEngineFixture {
 protected:
  // The English straight case in internal units.
  LeakageInput Straight(double teeth = 8) const {
    LeakageInput in;
    in.type = LabyrinthType::kStraight;
    in.seal_diameter = 6;
    in.clearance = 0.012;
    in.pressure_up = 500;
    in.pressure_down = 100;
    in.temperature_up = 559.67;
    in.teeth = teeth;
    in.flow_coef = 0.67;
    in.clearance_user = 0.012;
    in.spacing_user = 0.125;
    in.suggested_clearance_user = 0.2;
    return in;
  }
};

// Reference figures computed independently by hand from the published correlations.
TEST_F(LeakageTest, StraightLabyrinthOfMethane) {
  const LeakageResult r = LabyrinthLeakage(Straight(), engine_);
  EXPECT_EQ(r.stop, LeakageStop::kNone);
  EXPECT_TRUE(r.warnings.empty());
  ExpectRelative(r.mass_flow, 81.61590964028952, 1e-12);
  ExpectRelative(r.std_flow, 1931.1786966884745, 1e-12);
  ExpectRelative(r.inlet_flow, 58.04018395363139, 1e-9);
  ExpectRelative(r.exhaust_flow, 302.36458998374707, 1e-9);
  ExpectRelative(r.std_flow, r.mass_flow * (1545 / 16.04) * 520 / 144 / 14.7, 1e-14);
}

TEST_F(LeakageTest, SteppedLabyrinthHasNoCarryOver) {
  LeakageInput in = Straight();
  in.type = LabyrinthType::kStepped;
  const LeakageResult r = LabyrinthLeakage(in, engine_);
  ExpectRelative(r.mass_flow, 39.36153847841302, 1e-12);
  EXPECT_EQ(CarryOverFactor(LabyrinthType::kStepped, 30, 0.5), 1.0);
  // N still counts in the flow function.
  in.teeth = 12;
  EXPECT_LT(LabyrinthLeakage(in, engine_).mass_flow, r.mass_flow);
}

TEST_F(LeakageTest, FlowFunction) {
  EXPECT_NEAR(FlowFunction(1, 0), 2.143 * 1.464 / 3.322, 1e-15);
  EXPECT_NEAR(FlowFunction(1, 0), 0.944, 5e-4);
  EXPECT_NEAR(FlowFunction(1, 0.2), FlowFunction(1, 0) * std::pow(0.8, 0.075), 1e-15);
  EXPECT_EQ(FlowFunction(8, 1), 0.0);
  EXPECT_THROW(FlowFunction(4.322, 0.2), CalculationError);
  EXPECT_THROW(FlowFunction(0, 0.2), CalculationError);
}

TEST_F(LeakageTest, CarryOverBranchesMeetAtTwelveTeeth) {
  const double x = 0.096;
  EXPECT_NEAR(CarryOverFactor(LabyrinthType::kStraight, 12, x), 2.1753594259169144, 1e-12);
  EXPECT_NEAR(CarryOverFactor(LabyrinthType::kStraight, 12.5, x), 2.186067836456612, 1e-12);
  // Above 12 teeth the divisor is the double -0.32000000000000006.
  const double l = std::log(1 + x);
  for (double n : {12.5, 20.0, 50.0}) {
    for (double xx : {0.05, 0.096, 0.3}) {
      const double ll = std::log(1 + xx);
      EXPECT_EQ(CarryOverFactor(LabyrinthType::kStraight, n, xx),
                1 + (xx - 1.32 * ll) * (13.15 + 0.1625 * n) / -0.32000000000000006);
    }
  }
  EXPECT_EQ(-0.32000000000000006, std::nextafter(-0.32, -1.0));
  // At 12 teeth the lower branch applies: E = 1, A = 15.04745, B = 1.3196.
  EXPECT_NEAR(CarryOverFactor(LabyrinthType::kStraight, 12, x),
              1 + (x - 1.3196 * l) * 15.04745 / (1 - 1.3196), 1e-12);
}

TEST_F(LeakageTest, EqualPressuresGiveZeroFlow) {
  LeakageInput in = Straight();
  in.pressure_down = 500;
  const LeakageResult r = LabyrinthLeakage(in, engine_);
  EXPECT_EQ(r.stop, LeakageStop::kNone);
  EXPECT_EQ(r.mass_flow, 0.0);
  EXPECT_EQ(r.std_flow, 0.0);
  EXPECT_EQ(r.inlet_flow, 0.0);
  EXPECT_EQ(r.exhaust_flow, 0.0);
}

TEST_F(LeakageTest, ZeroClearanceGivesZeroLeakage) {
  LeakageInput in = Straight();
  in.clearance = 0;
  in.clearance_user = 0;
  const LeakageResult r = LabyrinthLeakage(in, engine_);
  EXPECT_EQ(r.mass_flow, 0.0);
  EXPECT_EQ(r.exhaust_flow, 0.0);
}

TEST_F(LeakageTest, StopsEndBeforeAnyFlow) {
  LeakageInput in = Straight();
  in.pressure_down = 500.0001;
  LeakageResult r = LabyrinthLeakage(in, engine_);
  EXPECT_EQ(r.stop, LeakageStop::kDownstreamPressureTooHigh);
  EXPECT_EQ(r.mass_flow, 0.0);

  in = Straight();
  in.pressure_up = 14.696;
  in.pressure_down = 14;
  in.temperature_up = 200;
  r = LabyrinthLeakage(in, engine_);
  EXPECT_EQ(r.stop, LeakageStop::kBelowSaturation);
  EXPECT_NEAR(r.saturation_temp, 201.4421, 1e-4);
  // Equal to the saturation temperature passes.
  in.temperature_up = r.saturation_temp;
  EXPECT_EQ(LabyrinthLeakage(in, engine_).stop, LeakageStop::kNone);
}

TEST_F(LeakageTest, WarningsAtTheirThresholdsAndInOrder) {
  LeakageInput in = Straight();
  in.clearance_user = 0.03;
  in.spacing_user = 0.25;              // ratio exactly 0.12
  in.suggested_clearance_user = 0.03;  // equal: no warning
  EXPECT_TRUE(LabyrinthLeakage(in, engine_).warnings.empty());

  in.clearance_user = 0.21;
  in.suggested_clearance_user = 0.2;
  in.spacing_user = 0.5;  // ratio 0.42: a positive carry-over factor at 8 teeth
  std::vector<LeakageWarning> seen;
  const LeakageResult r =
      LabyrinthLeakage(in, engine_, [&](LeakageWarning w) { seen.push_back(w); });
  const std::vector<LeakageWarning> expected = {LeakageWarning::kClearanceRatio,
                                                LeakageWarning::kSuggestedClearance};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(r.warnings, expected);
}

TEST_F(LeakageTest, WarningsArriveBeforeALaterCalculationError) {
  LeakageInput in = Straight();
  in.pressure_down = 0;  // the exhaust specific volume cannot be formed
  in.clearance_user = 0.25;
  in.spacing_user = 0.3;
  std::vector<LeakageWarning> seen;
  EXPECT_THROW(LabyrinthLeakage(in, engine_, [&](LeakageWarning w) { seen.push_back(w); }),
               CalculationError);
  EXPECT_EQ(seen.size(), 2u);
}

// With a warning sink the teeth the flow function refuses outright end the calculation without
// an exception, after the warnings, with no flow; every other number of teeth answers as the
// overload that raises, to the bit.
TEST_F(LeakageTest, TheSinkOverloadEndsAtRefusedTeethWithoutRaising) {
  struct Sink final : LeakageWarningSink {
    std::vector<LeakageWarning> seen;
    void Warn(LeakageWarning w) override { seen.push_back(w); }
  };
  for (double teeth : {0.0, -1.0, 4.312, 4.322, 4.332}) {
    LeakageInput in = Straight(teeth);
    in.clearance_user = 0.25;  // both warnings
    in.spacing_user = 0.3;
    Sink sink;
    LeakageResult r;
    ASSERT_NO_THROW(r = LabyrinthLeakage(in, engine_, sink)) << teeth;
    EXPECT_TRUE(r.flow_function_refused) << teeth;
    EXPECT_EQ(r.mass_flow, 0) << teeth;
    EXPECT_EQ(sink.seen.size(), 2u) << teeth;
    EXPECT_THROW(LabyrinthLeakage(in, engine_), CalculationError) << teeth;
  }
  for (double teeth : {1.0, 4.3119, 4.3321, 8.0, 50.0}) {
    Sink sink;
    const LeakageResult r = LabyrinthLeakage(Straight(teeth), engine_, sink);
    const LeakageResult raised = LabyrinthLeakage(Straight(teeth), engine_);
    EXPECT_FALSE(r.flow_function_refused) << teeth;
    EXPECT_EQ(r.mass_flow, raised.mass_flow) << teeth;
    EXPECT_EQ(r.exhaust_flow, raised.exhaust_flow) << teeth;
  }
}

TEST_F(LeakageTest, ArithmeticFaultsAreCalculationErrors) {
  LeakageInput in = Straight(4.322);
  EXPECT_THROW(LabyrinthLeakage(in, engine_), CalculationError);
  in = Straight();
  in.pressure_up = 0;
  EXPECT_THROW(LabyrinthLeakage(in, engine_), CalculationError);
  in = Straight();
  in.spacing_user = 0;
  EXPECT_THROW(LabyrinthLeakage(in, engine_), CalculationError);
}

TEST_F(LeakageTest, NumbersOfTeethNearThePoleAreCalculationErrors) {
  // Between the pole (4.322) and the zero (4.32322) the leakage would come out negative, and
  // close to the pole inflated: 4.3221 gave -104 and 4.3219 gave 123 where 16 teeth give 4.5.
  for (double teeth : {4.312, 4.3219, 4.322, 4.3221, 4.3232, 4.32322, 4.332}) {
    EXPECT_THROW(FlowFunction(teeth, 0.2), CalculationError) << teeth;
    EXPECT_THROW(LabyrinthLeakage(Straight(teeth), engine_), CalculationError) << teeth;
  }
  // Just outside the band the flow function is positive and the calculation goes on.
  for (double teeth : {4.3119, 4.3321}) {
    EXPECT_GT(FlowFunction(teeth, 0.2), 0) << teeth;
    EXPECT_GT(LabyrinthLeakage(Straight(teeth), engine_).mass_flow, 0) << teeth;
  }
  EXPECT_TRUE(InToothPoleBand(4.312));
  EXPECT_FALSE(InToothPoleBand(std::nextafter(4.312, 0.0)));
  EXPECT_TRUE(InToothPoleBand(4.332));
  EXPECT_FALSE(InToothPoleBand(std::nextafter(4.332, 5.0)));
}

TEST_F(LeakageTest, NonPositiveCarryOverIsACalculationErrorAfterTheWarnings) {
  // D 12 in, c 0.25 in, spacing 0.125 in, 12 teeth: x = 2, the fit gives -24.9 and the leakage
  // would be -32,461 lb/min.
  EXPECT_LT(2 - (1.058 + 0.0218 * 12) * std::log(3.0), 0.56);
  EXPECT_THROW(CarryOverFactor(LabyrinthType::kStraight, 12, 2), CalculationError);
  EXPECT_THROW(CarryOverFactor(LabyrinthType::kStraight, 16, 2), CalculationError);
  EXPECT_GT(CarryOverFactor(LabyrinthType::kStraight, 12, 0.12), 0);
  LeakageInput in = Straight(12);
  in.seal_diameter = 12;
  in.clearance = 0.25;
  in.clearance_user = 0.25;
  in.spacing_user = 0.125;
  std::vector<LeakageWarning> seen;
  EXPECT_THROW(LabyrinthLeakage(in, engine_, [&](LeakageWarning w) { seen.push_back(w); }),
               CalculationError);
  const std::vector<LeakageWarning> expected = {LeakageWarning::kClearanceRatio,
                                                LeakageWarning::kSuggestedClearance};
  EXPECT_EQ(seen, expected);
  // The same seal stepped has no carry-over and leaks.
  in.type = LabyrinthType::kStepped;
  EXPECT_GT(LabyrinthLeakage(in, engine_).mass_flow, 0);
}

TEST_F(LeakageTest, NegativeDownstreamPressureIsACalculationError) {
  // It gave an exhaust flow of -149.36 ft3/min as a result.
  LeakageInput in = Straight();
  in.pressure_down = -100;
  EXPECT_THROW(LabyrinthLeakage(in, engine_), CalculationError);
}

TEST_F(LeakageTest, NegativeFlowCoefficientIsACalculationError) {
  LeakageInput in = Straight();
  in.flow_coef = -0.67;
  EXPECT_THROW(LabyrinthLeakage(in, engine_), CalculationError);
  in.flow_coef = 0;
  EXPECT_EQ(LabyrinthLeakage(in, engine_).mass_flow, 0.0);
}

// The volume flows of any leakage mass flow are those the calculation gives for its own.
TEST_F(LeakageTest, VolumeFlowsOfAMassFlowAreTheCalculations) {
  const LeakageInput in = Straight();
  const LeakageResult r = LabyrinthLeakage(in, engine_);
  const LeakageVolumeFlows f =
      VolumeFlowsOf(r.mass_flow, in.pressure_up, in.pressure_down, in.temperature_up, engine_);
  EXPECT_EQ(f.std_flow, r.std_flow);
  EXPECT_EQ(f.inlet_flow, r.inlet_flow);
  EXPECT_EQ(f.exhaust_flow, r.exhaust_flow);
  const LeakageVolumeFlows half =
      VolumeFlowsOf(r.mass_flow / 2, in.pressure_up, in.pressure_down, in.temperature_up, engine_);
  ExpectRelative(half.exhaust_flow, r.exhaust_flow / 2, 1e-15);
  EXPECT_THROW(VolumeFlowsOf(1, in.pressure_up, -100, in.temperature_up, engine_),
               CalculationError);
}

}  // namespace
}  // namespace torvane
