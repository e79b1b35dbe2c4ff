#include "document/unit_selection.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "document/case_context.h"
#include "platform/message_service.h"

namespace torvane {
namespace {

class UnitSelectionTest : public ::testing::Test {
 protected:
  RecordingMessageService messages_;
  CaseContext context_{messages_};
};

TEST_F(UnitSelectionTest, PresetsSetEveryQuantityAndTheTwoCharacterName) {
  ChooseUnitSystem(context_, 1);
  EXPECT_EQ(context_.record.unit_num, PresetIndices(UnitSystem::kSI));
  EXPECT_EQ(context_.record.unit_system, 1);
  EXPECT_EQ(context_.record.unit_system_name.view(), "SI");
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "Bar a   ");
  EXPECT_EQ(context_.units.Label(Quantity::kTemperature), "deg C");

  ChooseUnitSystem(context_, 2);
  EXPECT_EQ(context_.record.unit_system_name.view(), "Te");
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "kg/cm2 a");
  ChooseUnitSystem(context_, 0);
  EXPECT_EQ(context_.record.unit_system_name.view(), "En");
  EXPECT_EQ(context_.record.unit_num, UnitIndices{});
}

TEST_F(UnitSelectionTest, CustomKeepsTheIndicesInForceAndTakesSingleUnits) {
  ChooseUnitSystem(context_, 1);
  ChooseUnitSystem(context_, 3);
  EXPECT_EQ(context_.record.unit_num, PresetIndices(UnitSystem::kSI));
  EXPECT_EQ(context_.record.unit_system, 3);
  EXPECT_EQ(context_.record.unit_system_name.view(), "Cu");
  ChooseUnit(context_, Quantity::kPressure, 3);
  EXPECT_EQ(context_.record.UnitNum(Quantity::kPressure), 3);
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "kPa a   ");
  EXPECT_EQ(context_.units.PressureDecimals(), 1);
}

TEST_F(UnitSelectionTest, OutOfListChoicesChangeNothing) {
  ChooseUnitSystem(context_, 1);
  EXPECT_THROW(ChooseUnitSystem(context_, 4), std::invalid_argument);
  EXPECT_THROW(ChooseUnit(context_, Quantity::kLength, 2), std::invalid_argument);
  EXPECT_THROW(ChooseUnit(context_, Quantity::kInletFlow, 11), std::invalid_argument);
  EXPECT_EQ(context_.record.unit_system, 1);
  EXPECT_EQ(context_.record.unit_num, PresetIndices(UnitSystem::kSI));
  EXPECT_EQ(context_.units.indices(), PresetIndices(UnitSystem::kSI));
  EXPECT_STREQ(UnitSystemLongName(2), "Tech Metric Units");
}

}  // namespace
}  // namespace torvane
