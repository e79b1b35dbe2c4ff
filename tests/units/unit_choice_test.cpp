#include "units/unit_choice.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace torvane {
namespace {

UnitChoice Choice(UnitSystem system) {
  UnitChoice u;
  u.ApplyUnitChoice(PresetIndices(system));
  return u;
}

TEST(UnitCatalogueTest, LabelsHaveTheirFixedWidths) {
  const UnitChoice si = Choice(UnitSystem::kSI);
  EXPECT_EQ(si.Label(Quantity::kPressure), "Bar a   ");
  EXPECT_EQ(si.Label(Quantity::kTemperature), "deg C");
  EXPECT_EQ(si.Label(Quantity::kLength), "mm");
  EXPECT_EQ(si.Label(Quantity::kMassFlow), "kg/hr     ");
  EXPECT_EQ(si.Label(Quantity::kInletFlow), "m3/hr     ");
  const UnitChoice metric = Choice(UnitSystem::kTechMetric);
  EXPECT_EQ(metric.Label(Quantity::kPressure), "kg/cm2 a");
  EXPECT_EQ(metric.Label(Quantity::kMassFlow), "kg/min    ");
  EXPECT_EQ(metric.Label(Quantity::kViscosity), "mPa-sec   ");
  const UnitChoice english;
  EXPECT_EQ(english.Label(Quantity::kPressure), "psia    ");
  EXPECT_EQ(english.Label(Quantity::kTemperature), "deg F");
  EXPECT_EQ(english.Label(Quantity::kLength), "in");
  EXPECT_EQ(english.Label(Quantity::kMolarHeatCapacity), "BTU/mol-R ");
  EXPECT_EQ(FixedWidthLabel("Centipoise", 10), "Centipoise");
  EXPECT_EQ(FixedWidthLabel("kg/cm2 a", 5), "kg/cm");
}

TEST(UnitCatalogueTest, PresetsMatchTheirSystems) {
  const UnitIndices si = {3, 1, 2, 1, 1, 1, 1, 1, 1, 1, 3, 1, 1, 1};
  const UnitIndices metric = {3, 2, 2, 2, 2, 2, 1, 1, 1, 1, 2, 2, 1, 1};
  EXPECT_EQ(PresetIndices(UnitSystem::kSI), si);
  EXPECT_EQ(PresetIndices(UnitSystem::kTechMetric), metric);
  EXPECT_EQ(PresetIndices(UnitSystem::kEnglish), UnitIndices{});
  EXPECT_EQ(UnitChoice().indices(), UnitIndices{});
  EXPECT_EQ(UnitCatalogue(Quantity::kLength).field, "LnNum");
  EXPECT_EQ(UnitCatalogue(Quantity::kInletFlow).units.size(), 11u);
}

TEST(UnitChoiceTest, AnIndexOutsideItsListIsRejectedAndNothingChanges) {
  UnitChoice u = Choice(UnitSystem::kSI);
  UnitIndices bad = PresetIndices(UnitSystem::kEnglish);
  bad[static_cast<size_t>(Quantity::kLength)] = 2;
  EXPECT_THROW(u.ApplyUnitChoice(bad), std::invalid_argument);
  bad[static_cast<size_t>(Quantity::kLength)] = -1;
  EXPECT_THROW(u.ApplyUnitChoice(bad), std::invalid_argument);
  UnitIndices inlet = {};
  inlet[0] = 11;
  EXPECT_THROW(u.ApplyUnitChoice(inlet), std::invalid_argument);
  inlet[0] = 10;
  EXPECT_NO_THROW(Choice(UnitSystem::kEnglish).ApplyUnitChoice(inlet));
  EXPECT_EQ(u.indices(), PresetIndices(UnitSystem::kSI));
  EXPECT_EQ(u.Label(Quantity::kLength), "mm");
}

TEST(UnitChoiceTest, PressureConversionsBothWays) {
  const UnitChoice si = Choice(UnitSystem::kSI);
  EXPECT_DOUBLE_EQ(si.ConvertPressure(14.696, "EA"), 14.696 * 0.06895);
  EXPECT_NEAR(si.ConvertPressure(14.696, "EA"), 1.01329, 5e-6);
  EXPECT_DOUBLE_EQ(si.ConvertPressure(1.01329, "AE"), 1.01329 / 0.06895);
  EXPECT_EQ(si.ConvertPressure(14.696, "ea"), 0.0);
  EXPECT_EQ(si.ConvertPressure(14.696, ""), 0.0);
  EXPECT_EQ(si.ConvertPressure(14.696, "AR"), 0.0);
}

TEST(UnitChoiceTest, FlowAndLengthConversions) {
  const UnitChoice si = Choice(UnitSystem::kSI);
  EXPECT_DOUBLE_EQ(si.ConvertLength(2, "EA"), 50.8);
  EXPECT_DOUBLE_EQ(si.ConvertLength(50.8, "AE"), 2);
  EXPECT_DOUBLE_EQ(si.ConvertVolumeFlow(10, "EA"), 16.99);
  EXPECT_DOUBLE_EQ(si.ConvertMassFlow(1, "EA"), 27.2154);
  EXPECT_DOUBLE_EQ(Choice(UnitSystem::kTechMetric).ConvertMassFlow(1, "EA"), 0.45359);
  EXPECT_EQ(si.ConvertMassFlow(1, "RA"), 0.0);
  const UnitChoice english;
  for (double v : {0.0, 1.5, -3.25, 1e6}) {
    EXPECT_EQ(english.ConvertLength(v, "AE"), v);
    EXPECT_EQ(english.ConvertMassFlow(v, "EA"), v);
  }
}

TEST(UnitChoiceTest, TemperatureConversionsForEveryUnit) {
  UnitIndices idx = {};
  UnitChoice u;
  // deg F
  EXPECT_DOUBLE_EQ(u.ConvertTemperature(100, "AR"), 559.67);
  EXPECT_DOUBLE_EQ(u.ConvertTemperature(559.67, "RA"), 100);
  // deg R: unchanged both ways
  idx[2] = 1;
  u.ApplyUnitChoice(idx);
  EXPECT_EQ(u.ConvertTemperature(671.67, "AR"), 671.67);
  EXPECT_EQ(u.ConvertTemperature(671.67, "RA"), 671.67);
  // deg C
  idx[2] = 2;
  u.ApplyUnitChoice(idx);
  EXPECT_NEAR(u.ConvertTemperature(100, "AR"), 671.67, 1e-12);
  EXPECT_NEAR(u.ConvertTemperature(671.67, "RA"), 100, 1e-12);
  // deg K
  idx[2] = 3;
  u.ApplyUnitChoice(idx);
  EXPECT_DOUBLE_EQ(u.ConvertTemperature(300, "AR"), 540);
  EXPECT_DOUBLE_EQ(u.ConvertTemperature(540, "RA"), 300);
  EXPECT_EQ(u.ConvertTemperature(540, "EA"), 0.0);
  EXPECT_EQ(u.ConvertTemperature(540, "AE"), 0.0);
}

TEST(UnitChoiceTest, PressureFormatFollowsThePressureUnit) {
  UnitIndices idx = {};
  const char* expected[] = {"#,##0.00", "#,##0.000", "#,##0.000", "#,##0.0", "#,##0.0000"};
  const int decimals[] = {2, 3, 3, 1, 4};
  for (int p = 0; p < 5; ++p) {
    idx[1] = static_cast<std::int16_t>(p);
    UnitChoice u;
    u.ApplyUnitChoice(idx);
    EXPECT_EQ(u.PressureFormat(), expected[p]);
    EXPECT_EQ(u.PressureDecimals(), decimals[p]);
  }
}

TEST(UnitChoiceTest, InputLimitsByRowAndCurrentUnit) {
  const UnitChoice english;
  EXPECT_EQ(english.InputLimit(1, LimitKind::kMinimum), 1);
  EXPECT_EQ(english.InputLimit(1, LimitKind::kMaximum), 10000);
  EXPECT_EQ(english.InputLimit(2, LimitKind::kMinimum), -460);
  EXPECT_EQ(english.InputLimit(2, LimitKind::kMaximum), 1040);
  EXPECT_EQ(english.InputLimit(3, LimitKind::kMaximum), 90);
  EXPECT_EQ(english.InputLimit(4, LimitKind::kMaximum), 0.2);
  EXPECT_EQ(english.InputLimit(5, LimitKind::kMinimum), 0.01);
  EXPECT_EQ(english.InputLimit(6, LimitKind::kMaximum), 0.3);
  const UnitChoice si = Choice(UnitSystem::kSI);
  EXPECT_EQ(si.InputLimit(1, LimitKind::kMaximum), 690);
  EXPECT_EQ(si.InputLimit(2, LimitKind::kMinimum), -273);
  EXPECT_EQ(si.InputLimit(3, LimitKind::kMaximum), 2300);
  EXPECT_EQ(si.InputLimit(4, LimitKind::kMaximum), 5);
  EXPECT_EQ(si.InputLimit(6, LimitKind::kMinimum), 1.25);
  const UnitChoice metric = Choice(UnitSystem::kTechMetric);
  EXPECT_EQ(metric.InputLimit(1, LimitKind::kMaximum), 700);
  UnitIndices idx = {};
  idx[1] = 4;
  idx[2] = 3;
  UnitChoice custom;
  custom.ApplyUnitChoice(idx);
  EXPECT_EQ(custom.InputLimit(1, LimitKind::kMinimum), 0.01);
  EXPECT_EQ(custom.InputLimit(1, LimitKind::kMaximum), 69);
  EXPECT_EQ(custom.InputLimit(2, LimitKind::kMaximum), 835);
  // Rows outside 1..6 and unfilled cells read as 0.
  EXPECT_EQ(english.InputLimit(7, LimitKind::kMaximum), 0);
  EXPECT_EQ(english.InputLimit(0, LimitKind::kMaximum), 0);
  EXPECT_EQ(InputLimits().Get(3, 4, LimitKind::kMaximum), 0);
}

}  // namespace
}  // namespace torvane
