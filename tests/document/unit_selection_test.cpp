#include "document/unit_selection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "document/case_context.h"
#include "document/case_files.h"
#include "document/laby_data_units.h"
#include "document_test_support.h"
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

// The record of an English straight labyrinth after a calculation.
LabyData EnglishRecord() {
  return {0, 1, 6, 0.012, 500, 100, 100, 0.02, 0.125, 8, 0.67, 163.14, 1931.25, 58.04, 302.36};
}

void ExpectRelative(double actual, double expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * tolerance) << "expected " << expected;
}

TEST_F(UnitSelectionTest, SwitchingUnitsConvertsTheLabyrinthRecord) {
  context_.laby_data = EnglishRecord();
  ChooseUnitSystem(context_, 1);  // mm, Bar a, deg C, kg/hr, m3/hr, Sm3/hr
  const LabyData& d = context_.laby_data;
  EXPECT_EQ(d[kLabyType], 1);
  ExpectRelative(d[kSealClear], 152.4);
  ExpectRelative(d[kSealRadClear], 0.3048);
  ExpectRelative(d[kPressUp], 34.475);
  ExpectRelative(d[kPressDown], 6.895);
  ExpectRelative(d[kTempUp], (100 + 459.67) / 1.8 - 273.15);
  ExpectRelative(d[kToothThick], 0.508);
  ExpectRelative(d[kToothSpacing], 3.175);
  EXPECT_EQ(d[kToothNumber], 8);
  EXPECT_EQ(d[kFlowCoef], 0.67);
  ExpectRelative(d[kLabyFlow], 163.14 * 27.2154);  // not "163.140 kg/hr"
  ExpectRelative(d[kLabyStdFlow], 1931.25 * 1.699);
  ExpectRelative(d[kLabySuppplyFlow], 58.04 * 1.699);
  ExpectRelative(d[kLabyVolumeFlow], 302.36 * 1.699);

  ChooseUnitSystem(context_, 0);
  for (size_t slot = 0; slot < d.size(); ++slot) {
    ExpectRelative(d[slot], EnglishRecord()[slot], 1e-14);
  }
}

TEST_F(UnitSelectionTest, OnlyTheQuantitiesThatChangeAreConverted) {
  context_.laby_data = EnglishRecord();
  ChooseUnitSystem(context_, 3);
  EXPECT_EQ(context_.laby_data, EnglishRecord());
  ChooseUnit(context_, Quantity::kPressure, 3);  // kPa a
  LabyData expected = EnglishRecord();
  expected[kPressUp] = 500 * 6.895;
  expected[kPressDown] = 100 * 6.895;
  EXPECT_EQ(context_.laby_data, expected);
  // lb/hr keeps SCFM as the standard flow; kg/min turns it into Sm3/hr.
  ChooseUnit(context_, Quantity::kMassFlow, 1);
  EXPECT_EQ(context_.laby_data[kLabyStdFlow], 1931.25);
  ChooseUnit(context_, Quantity::kMassFlow, 2);
  ExpectRelative(context_.laby_data[kLabyStdFlow], 1931.25 * 1.699);
  ExpectRelative(context_.laby_data[kLabyFlow], 163.14 * 0.45359);
  // A refused choice converts nothing.
  const LabyData before = context_.laby_data;
  EXPECT_THROW(ChooseUnit(context_, Quantity::kLength, 2), std::invalid_argument);
  EXPECT_EQ(context_.laby_data, before);
}

TEST_F(UnitSelectionTest, SavedSettingsHoldTheRecordInTheFilesOwnUnits) {
  testing::ScratchFolder dir;
  context_.record = testing::ValidRecord();
  context_.ApplyUnitChoice();
  ChooseUnitSystem(context_, 0);
  context_.laby_data = EnglishRecord();
  ChooseUnitSystem(context_, 2);  // Tech Metric: kg/cm2 a, kg/min
  SaveSettingsFile(context_, dir.File("case.trv"));
  const SettingsFileContent back = ReadSettingsFile(dir.File("case.trv"));
  EXPECT_EQ(back.record.unit_num, PresetIndices(UnitSystem::kTechMetric));
  EXPECT_EQ(back.laby_data, context_.laby_data);
  ExpectRelative(back.laby_data[kPressUp], 500 * 0.07031);
  ExpectRelative(back.laby_data[kLabyFlow], 163.14 * 0.45359);
}

TEST(ConvertLabyDataTest, AValueThatCannotBeConvertedStaysAsItWas) {
  UnitChoice english;
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  LabyData d = EnglishRecord();
  d[kLabyFlow] = 1e308;  // kg/hr would overflow
  const LabyData out = ConvertLabyData(d, english, si);
  EXPECT_EQ(out[kLabyFlow], 1e308);
  ExpectRelative(out[kSealClear], 152.4);
}

}  // namespace
}  // namespace torvane
