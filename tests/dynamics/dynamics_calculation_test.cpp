// The coefficients in the user's units: the model's SI answer converted with the program's own
// conversions, cavity stations as the comparison gives them, and failures as statuses.
#include "dynamics/dynamics_calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/gas_engine.h"
#include "methods/method_comparison.h"
#include "platform/message_service.h"
#include "support/english_case.h"

namespace torvane {
namespace {

constexpr double kNewtonsPerMetrePerPoundPerInch = 4.4482216152605 / 0.0254;
constexpr double kPascalSecondsPerPoundPerFootSecond = 0.45359237 / 0.3048;

class DynamicsCalculationTest : public ::testing::Test {
 protected:
  DynamicsCalculationTest() {
    engine_.CharacteriseGas(0, slots_);
    in_ = testing::EnglishStraightCase();  // 6 in straight seal, 8 teeth, 500 -> 100 psia
    options_.tooth_height = 0.125;
  }

  // A straight seal in SI units: 150 mm, 0.3 mm, 30 -> 8 bar, 40 deg C, teeth 0.5 mm at 3 mm.
  LabyInputs SiCase() const {
    LabyInputs in = in_;
    in.seal_dia = 150;
    in.seal_rad_clear = 0.3;
    in.tooth_thk = 0.5;
    in.tooth_spc = 3;
    in.press_up = 30;
    in.press_down = 8;
    in.temp_up = 40;
    return in;
  }

  DynamicsCalculation Calculate(const UnitChoice& units) const {
    return DynamicsCalculation(in_, units, engine_.CurrentMixture(), options_);
  }

  std::vector<GasComponentSlot> slots_{{1, 1.0}};  // methane
  RecordingMessageService messages_;
  GasEngine engine_{messages_};
  LabyInputs in_;
  DynamicsOptions options_;
  UnitChoice english_;
};

TEST_F(DynamicsCalculationTest, StiffnessUnitsFollowTheLengthUnit) {
  EXPECT_EQ(StiffnessUnit(english_), "lbf/in");
  EXPECT_EQ(DampingUnit(english_), "lbf-s/in");
  for (UnitSystem system : {UnitSystem::kSI, UnitSystem::kTechMetric}) {
    UnitChoice u;
    u.ApplyUnitChoice(PresetIndices(system));
    EXPECT_EQ(StiffnessUnit(u), "N/m");
    EXPECT_EQ(DampingUnit(u), "N-s/m");
  }
}

TEST_F(DynamicsCalculationTest, EnglishAnswerIsTheModelsInPoundsForceAndFeet) {
  const DynamicsCalculation d = Calculate(english_);
  ASSERT_TRUE(d.leakage().ok) << d.leakage().message;
  const SpeedAnswer a = d.AtSpeed(12000);
  ASSERT_TRUE(a.ok()) << a.message;
  const SpeedDynamics si = d.model().AtSpeed(12000);
  const auto english = [](double v) { return v / kNewtonsPerMetrePerPoundPerInch; };
  EXPECT_DOUBLE_EQ(a.coefficients.kxx, english(si.coefficients.kxx));
  EXPECT_DOUBLE_EQ(a.coefficients.kxy, english(si.coefficients.kxy));
  EXPECT_DOUBLE_EQ(a.coefficients.cyx, english(si.coefficients.cyx));
  EXPECT_DOUBLE_EQ(a.effective_stiffness, english(si.effective_stiffness));
  EXPECT_DOUBLE_EQ(*a.effective_damping, english(*si.effective_damping));
  EXPECT_EQ(a.whirl_frequency_ratio, si.whirl_frequency_ratio);
  EXPECT_DOUBLE_EQ(a.surface_speed, si.surface_speed / 0.3048);
  ASSERT_EQ(a.cavities.size(), 7u);
  EXPECT_DOUBLE_EQ(a.cavities[2].swirl, si.cavities[2].swirl / 0.3048);
  EXPECT_DOUBLE_EQ(*a.cavities[2].swirl_ratio, si.cavities[2].swirl / si.surface_speed);
  EXPECT_DOUBLE_EQ(a.cavities[2].shear_stator, si.cavities[2].shear_stator / 6894.757293168361);
  EXPECT_DOUBLE_EQ(a.cavities[2].viscosity,
                   si.cavities[2].viscosity / kPascalSecondsPerPoundPerFootSecond);
  // The same seal in SI units answers in N/m.
  UnitChoice si_units;
  si_units.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  LabyInputs metric = in_;
  metric.seal_dia *= 25.4;
  metric.seal_rad_clear *= 25.4;
  metric.tooth_thk *= 25.4;
  metric.tooth_spc *= 25.4;
  metric.press_up *= 0.06895;
  metric.press_down *= 0.06895;
  metric.temp_up = (metric.temp_up - 32) / 1.8;
  DynamicsOptions o = options_;
  o.tooth_height *= 25.4;
  const SpeedAnswer b =
      DynamicsCalculation(metric, si_units, engine_.CurrentMixture(), o).AtSpeed(12000);
  ASSERT_TRUE(b.ok()) << b.message;
  EXPECT_NEAR(b.coefficients.kxy / si.coefficients.kxy, 1, 1e-9);
}

TEST_F(DynamicsCalculationTest, CavitiesAndLeakageAreThoseOfTheComparison) {
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  const LabyInputs in = SiCase();
  options_.tooth_height = 3;
  const DynamicsCalculation d(in, si, engine_.CurrentMixture(), options_);
  const MethodComparison c = CompareMethods(in, si, engine_, options_.gamma);
  const ComparedMethod& tbt = c.methods[2];
  ASSERT_TRUE(tbt.result.ok());
  EXPECT_EQ(d.leakage().mass_flow, tbt.mass_flow);
  EXPECT_EQ(d.leakage().choked, tbt.result.choked);
  const SpeedAnswer a = d.AtSpeed(9000);
  ASSERT_TRUE(a.ok()) << a.message;
  ASSERT_EQ(a.cavities.size() + 2, tbt.cavity_pressures.size());
  for (size_t i = 0; i < a.cavities.size(); ++i) {
    EXPECT_EQ(a.cavities[i].pressure, tbt.cavity_pressures[i + 1]) << i;
    EXPECT_EQ(a.cavities[i].temperature, tbt.cavity_temperatures[i + 1]) << i;
  }
}

TEST_F(DynamicsCalculationTest, ViscosityInputsInTheUserUnits) {
  UnitChoice si;  // mPa-sec, deg C
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  const LabyInputs in = SiCase();
  options_.tooth_height = 3;
  options_.viscosity_law = ViscosityLawKind::kConstant;
  options_.viscosity = 0.011;
  const DynamicsCalculation d(in, si, engine_.CurrentMixture(), options_);
  EXPECT_DOUBLE_EQ(d.model().input().viscosity.constant,
                   0.011 / 1488.2 * kPascalSecondsPerPoundPerFootSecond);
  const SpeedAnswer a = d.AtSpeed(9000);
  ASSERT_TRUE(a.ok()) << a.message;
  EXPECT_DOUBLE_EQ(a.cavities.back().viscosity, 0.011);

  options_.viscosity_law = ViscosityLawKind::kSutherland;
  options_.references = {{{20, 0.0110}, {120, 0.0135}}};
  const DynamicsCalculation s(in, si, engine_.CurrentMixture(), options_);
  const auto& refs = s.model().input().viscosity.references;
  EXPECT_DOUBLE_EQ(refs[0].temperature, 293.15);
  EXPECT_DOUBLE_EQ(refs[1].temperature, 393.15);
  EXPECT_DOUBLE_EQ(refs[1].viscosity, 0.0135 / 1488.2 * kPascalSecondsPerPoundPerFootSecond);
  EXPECT_TRUE(s.AtSpeed(9000).ok());
}

TEST_F(DynamicsCalculationTest, FailuresAreStatusesBesideTheLeakage) {
  in_.tooth_no = 1;
  const DynamicsCalculation one = Calculate(english_);
  EXPECT_TRUE(one.leakage().ok);
  const SpeedAnswer a = one.AtSpeed(9000);
  EXPECT_EQ(a.status, DynamicsStatus::kInvalidInput);
  EXPECT_EQ(a.message,
            "The rotordynamic coefficients need a whole number of teeth, 2 or more, not 1");
  EXPECT_EQ(a.speed, 9000);
  EXPECT_EQ(a.whirl_frequency, 9000);
  EXPECT_TRUE(a.cavities.empty());

  in_.tooth_no = 8.5;
  const DynamicsCalculation half = Calculate(english_);
  EXPECT_FALSE(half.leakage().ok);
  EXPECT_EQ(half.leakage().message, "Tooth by tooth needs a whole number of teeth, not 8.5");
}

}  // namespace
}  // namespace torvane
