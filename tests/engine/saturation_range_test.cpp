#include <gtest/gtest.h>

#include <vector>

#include "engine/engine_test_support.h"
#include "engine/gas_engine.h"
#include "engine/range_checks.h"
#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane {
namespace {

TEST(SaturationTest, MethaneAtAtmosphericPressure) {
  const GasMixture m = testing::Methane();
  EXPECT_NEAR(SaturationTemp(m, 14.696), 201.4421, 1e-4);
}

TEST(SaturationTest, AtOrAbovePseudoCriticalPressureGivesPseudoCriticalTemperature) {
  const GasMixture m = testing::Methane();
  EXPECT_EQ(SaturationTemp(m, m.pseudo_crit_press), m.pseudo_crit_temp);
  EXPECT_EQ(SaturationTemp(m, 5000), m.pseudo_crit_temp);
  EXPECT_LT(SaturationTemp(m, m.pseudo_crit_press * 0.999), m.pseudo_crit_temp);
}

TEST(SaturationTest, NonPositivePressureIsACalculationError) {
  const GasMixture m = testing::Methane();
  EXPECT_THROW(SaturationTemp(m, 0), CalculationError);
  EXPECT_THROW(SaturationTemp(m, -5), CalculationError);
}

TEST(SaturationTest, EngineUsesTheCurrentGas) {
  RecordingMessageService messages;
  GasEngine engine(messages);
  engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});
  engine.CharacteriseGas(1, std::vector<GasComponentSlot>{{3, 1.0}});  // propane
  engine.SetCurrentGas(1);
  EXPECT_EQ(engine.SaturationTemp(1000), engine.Mixture(1).pseudo_crit_temp);  // above 616.35
  EXPECT_EQ(engine.SaturationTemp(100), SaturationTemp(engine.Mixture(1), 100));
  EXPECT_NE(engine.SaturationTemp(100), SaturationTemp(engine.Mixture(0), 100));
}

class RangeCheckTest : public ::testing::Test {
 protected:
  RecordingMessageService messages_;
};

TEST_F(RangeCheckTest, BoundsPassAndNothingIsShown) {
  EXPECT_NO_THROW(CheckPressureRange(10000, 10000, 1, "psia    ", messages_));
  EXPECT_NO_THROW(CheckPressureRange(1, 10000, 1, "psia    ", messages_));
  EXPECT_NO_THROW(CheckTemperatureRange(-460, 1040, -460, "deg F", messages_));
  EXPECT_NO_THROW(CheckTemperatureRange(1040, 1040, -460, "deg F", messages_));
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(RangeCheckTest, MessagesAreExactWithFixedWidthLabels) {
  try {
    CheckPressureRange(10000.5, 10000, 1, "psia    ", messages_);
    FAIL() << "no error";
  } catch (const InputOutOfRange& e) {
    EXPECT_EQ(e.number(), 4443);
  }
  EXPECT_THROW(CheckPressureRange(0.05, 690, 0.1, "Bar a   ", messages_), InputOutOfRange);
  EXPECT_THROW(CheckTemperatureRange(-461, 1040, -460, "deg F", messages_), InputOutOfRange);
  EXPECT_THROW(CheckTemperatureRange(835.1, 835, 0, "deg K", messages_), InputOutOfRange);
  EXPECT_THROW(CheckPressureRange(0.001, 69, 0.01, "MPa a   ", messages_), InputOutOfRange);
  const std::vector<std::string> expected = {
      "Maximum allowable pressure is 10000 psia    ", "Minimum allowable pressure is 0.1 Bar a   ",
      "Minimum allowable temperature is -460 deg F",  "Maximum allowable temperature is 835 deg K",
      "Minimum allowable pressure is 0.01 MPa a   ",
  };
  EXPECT_EQ(messages_.texts(), expected);
}

TEST_F(RangeCheckTest, MaximumIsTestedFirst) {
  // An inverted range reports the maximum.
  EXPECT_THROW(CheckPressureRange(5, 1, 10, "psia    ", messages_), InputOutOfRange);
  EXPECT_EQ(messages_.texts().at(0), "Maximum allowable pressure is 1 psia    ");
}

}  // namespace
}  // namespace torvane
