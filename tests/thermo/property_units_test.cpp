// The properties in the user's units: labels of every preset and of a custom choice, and the
// exact factors of the international table Btu and calorie.
#include "thermo/property_units.h"

#include <gtest/gtest.h>

#include "thermo_test_support.h"

namespace torvane {
namespace {

UnitChoice Preset(UnitSystem system) {
  UnitChoice units;
  units.ApplyUnitChoice(PresetIndices(system));
  return units;
}

TEST(PropertyUnitsTest, LabelsOfTheCustomUnits) {
  UnitIndices custom = PresetIndices(UnitSystem::kSI);
  custom[static_cast<size_t>(Quantity::kPressure)] = 3;     // kPa a
  custom[static_cast<size_t>(Quantity::kTemperature)] = 3;  // deg K
  UnitChoice units;
  units.ApplyUnitChoice(custom);
  const PropertyUnitLabels l = PropertyUnitsOf(units);
  EXPECT_EQ(l.pressure, "kPa a");
  EXPECT_EQ(l.temperature, "deg K");
  EXPECT_EQ(l.joule_thomson, "deg K/kPa a");
  EXPECT_EQ(PropertyUnitsOf(Preset(UnitSystem::kEnglish)).joule_thomson, "deg F/psi");
}

TEST(PropertyUnitsTest, ExactFactorsOfEachSystem) {
  const GasProperties p = PropertiesAtSi(CaloricGas(testing::WorkedExampleGas()), 60e5, 300);
  const UserProperties en = ToUserUnits(p, Preset(UnitSystem::kEnglish));
  const UserProperties si = ToUserUnits(p, Preset(UnitSystem::kSI));
  const UserProperties tm = ToUserUnits(p, Preset(UnitSystem::kTechMetric));
  // 1 Btu/(lb R) = 4.1868 kJ/(kg K) = 1 kcal/(kg K); 1 Btu/lb = 2.326 kJ/kg.
  EXPECT_DOUBLE_EQ(en.cp * 4.1868, si.cp);
  EXPECT_DOUBLE_EQ(tm.cp, en.cp);
  EXPECT_DOUBLE_EQ(en.entropy * 4.1868, si.entropy);
  EXPECT_DOUBLE_EQ(en.enthalpy * 2.326, si.enthalpy);
  EXPECT_DOUBLE_EQ(tm.enthalpy * 4.1868, si.enthalpy);
  EXPECT_DOUBLE_EQ(en.cp_molar * 4.1868, si.cp_molar);
  EXPECT_DOUBLE_EQ(si.cp_molar, p.cp);
  EXPECT_DOUBLE_EQ(en.speed_of_sound * 0.3048, si.speed_of_sound);
  // 1 lb/ft3 = 16.018463374 kg/m3.
  EXPECT_NEAR(si.specific_volume / en.specific_volume, 1 / 16.018463374, 1e-12);
  EXPECT_DOUBLE_EQ(si.pressure, 60);
  EXPECT_DOUBLE_EQ(tm.pressure, 60e5 / 98066.5);
  EXPECT_NEAR(en.pressure, 870.226, 5e-4);
  EXPECT_DOUBLE_EQ(si.temperature, 300 - 273.15);
  EXPECT_NEAR(en.temperature, 80.33, 1e-12);
  // deg F/psi = K/Pa x 1.8 x 6894.757293168; deg C/Bar a = K/Pa x 1e5.
  EXPECT_DOUBLE_EQ(en.joule_thomson, p.joule_thomson * 1.8 * 6894.757293168361);
  EXPECT_DOUBLE_EQ(si.joule_thomson, p.joule_thomson * 1e5);
  EXPECT_DOUBLE_EQ(tm.joule_thomson, p.joule_thomson * 98066.5);
  EXPECT_EQ(en.gamma, p.gamma);
  EXPECT_DOUBLE_EQ(en.molar_mass, 17.82152);
}

TEST(PropertyUnitsTest, UserPressureAndTemperatureToTheEnginesUnits) {
  EXPECT_DOUBLE_EQ(PressureToPsia(60, Preset(UnitSystem::kSI)), 60e5 / 6894.757293168361);
  EXPECT_DOUBLE_EQ(PressureToPsia(1, Preset(UnitSystem::kTechMetric)), 98066.5 / 6894.757293168361);
  EXPECT_EQ(PressureToPsia(870, Preset(UnitSystem::kEnglish)), 870);
  EXPECT_DOUBLE_EQ(TemperatureToRankine(26.85, Preset(UnitSystem::kSI)), 540);
  EXPECT_DOUBLE_EQ(TemperatureToRankine(80.33, Preset(UnitSystem::kEnglish)), 540);
}

}  // namespace
}  // namespace torvane
