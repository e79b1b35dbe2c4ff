// The gas properties window's rules: the three states in the user's units, the downstream state
// at the upstream enthalpy, the notes, and the curves against pressure.
#include "thermo/gas_properties_form.h"

#include <gtest/gtest.h>

#include <cmath>

#include "thermo_test_support.h"
#include "units/si_factors.h"

namespace torvane {
namespace {

// The worked example's 60 bar and 26.85 deg C upstream, 20 bar downstream.
LabyrinthStates Example() { return {60, 26.85, 20}; }

const PropertyRow& RowNamed(const std::vector<PropertyRow>& rows, const std::string& name) {
  for (const PropertyRow& r : rows) {
    if (r.name == name) return r;
  }
  static const PropertyRow none;
  ADD_FAILURE() << "no row " << name;
  return none;
}

TEST(GasPropertiesFormTest, RowsInTheUsersUnitsWithTheWorkedExampleUpstream) {
  const GasPropertiesForm form(testing::WorkedExampleGas(), testing::SiUnits(), Example());
  const std::vector<PropertyRow> rows = form.Rows();
  const std::vector<std::pair<std::string, std::string>> names = {{"Pressure", "Bar a"},
                                                                  {"Temperature", "deg C"},
                                                                  {"Z", ""},
                                                                  {"Z of the solver", ""},
                                                                  {"Specific volume", "m3/kg"},
                                                                  {"cp", "kJ/kg-K"},
                                                                  {"cv", "kJ/kg-K"},
                                                                  {"cp, molar", "kJ/kmol-K"},
                                                                  {"Gamma (cp/cv)", ""},
                                                                  {"Ideal-gas cp0/cv0", ""},
                                                                  {"Isentropic exponent", ""},
                                                                  {"Speed of sound", "m/sec"},
                                                                  {"Joule-Thomson", "deg C/Bar a"},
                                                                  {"Enthalpy", "kJ/kg"},
                                                                  {"Entropy", "kJ/kg-K"},
                                                                  {"Viscosity", "mPa-sec"}};
  ASSERT_EQ(rows.size(), names.size());
  for (size_t k = 0; k < rows.size(); ++k) {
    EXPECT_EQ(rows[k].name, names[k].first);
    EXPECT_EQ(rows[k].unit, names[k].second);
  }
  // The worked example's figures, six digits.
  const std::pair<const char*, const char*> upstream[] = {{"Pressure", "60"},
                                                          {"Temperature", "26.85"},
                                                          {"Z", "0.883471"},
                                                          {"Z of the solver", "0.883485"},
                                                          {"cp", "2.57302"},
                                                          {"cv", "1.71919"},
                                                          {"cp, molar", "45.8551"},
                                                          {"Gamma (cp/cv)", "1.49664"},
                                                          {"Ideal-gas cp0/cv0", "1.28644"},
                                                          {"Isentropic exponent", "1.33612"},
                                                          {"Speed of sound", "406.466"},
                                                          {"Joule-Thomson", "0.419123"},
                                                          {"Enthalpy", "-58.1431"},
                                                          {"Entropy", "-1.83321"}};
  for (const auto& [name, value] : upstream) {
    EXPECT_EQ(RowNamed(rows, name).cells[0], value) << name;
  }
  EXPECT_EQ(RowNamed(rows, "Specific volume").cells[0], "0.0206087");
  EXPECT_EQ(RowNamed(rows, "Pressure").cells[2], "-");  // nothing typed
  EXPECT_EQ(form.GasText(), "Molar mass 17.82 lb/lbmol");
  EXPECT_EQ(GasPropertiesForm::ColumnHeadings(),
            (std::array<std::string, 3>{"Upstream", "Downstream", "Typed"}));
  EXPECT_TRUE(form.Notes().empty());
}

// cp0/R of the worked gas at 300 K is 4.49111: cp0/cv0 = 4.49111 / 3.49111.
TEST(GasPropertiesFormTest, IdealGasRatioIsTheMethodsGamma) {
  const GasPropertiesForm form(testing::WorkedExampleGas(), testing::SiUnits(), Example());
  EXPECT_NEAR(form.State(StateColumn::kUpstream).ideal_gamma, 4.49111 / 3.49111, 2e-6);
  EXPECT_EQ(form.State(StateColumn::kUpstream).ideal_gamma,
            IdealGasGamma(testing::WorkedExampleGas(), 540));
}

// The gas after the seal: the downstream pressure at the upstream enthalpy, cooled by the
// Joule-Thomson effect: 18.9 deg C over the 40 bar, 0.47 deg C/bar on the average (0.42 at the
// upstream state, more as the gas cools).
TEST(GasPropertiesFormTest, DownstreamIsThrottledAtTheUpstreamEnthalpy) {
  const GasPropertiesForm form(testing::WorkedExampleGas(), testing::SiUnits(), Example());
  const StateProperties& up = form.State(StateColumn::kUpstream);
  const StateProperties& down = form.State(StateColumn::kDownstream);
  ASSERT_TRUE(down.values) << down.problem;
  EXPECT_DOUBLE_EQ(down.values->pressure, 20);
  EXPECT_NEAR(down.values->enthalpy / up.values->enthalpy, 1, 1e-9);
  const double drop = up.values->temperature - down.values->temperature;
  EXPECT_GT(drop, 40 * 0.42);
  EXPECT_LT(drop, 40 * 0.5);
  // The same from the library: the state at 20 bar and that temperature has that enthalpy.
  const CaloricGas gas(testing::WorkedExampleGas());
  const GasProperties at = PropertiesAtSi(gas, 20e5, down.values->temperature + 273.15);
  EXPECT_NEAR(at.enthalpy_mass() / 1000 / up.values->enthalpy, 1, 1e-9);
}

TEST(GasPropertiesFormTest, TypedStateIsWorkedWhenBothBoxesHoldNumbers) {
  GasPropertiesForm form(testing::WorkedExampleGas(), testing::SiUnits(), Example());
  form.SetTyped(100, std::nullopt);
  EXPECT_EQ(form.State(StateColumn::kTyped).problem, "the temperature typed is not a number");
  EXPECT_EQ(form.Notes(), std::vector<std::string>{"Typed: the temperature typed is not a number"});
  form.SetTyped(100, 50);
  const StateProperties& typed = form.State(StateColumn::kTyped);
  ASSERT_TRUE(typed.values) << typed.problem;
  const GasProperties p = PropertiesAtSi(CaloricGas(testing::WorkedExampleGas()), 100e5, 323.15);
  EXPECT_NEAR(typed.values->speed_of_sound, p.speed_of_sound, 1e-9);
  EXPECT_EQ(RowNamed(form.Rows(), "Pressure").cells[2], "100");
  form.SetTyped(-1, 50);
  EXPECT_EQ(form.State(StateColumn::kTyped).problem, "the pressure must be above 0");
  form.SetTyped(std::nullopt, std::nullopt);
  EXPECT_TRUE(form.Notes().empty());
}

TEST(GasPropertiesFormTest, NotesSayWhyAStateHasNoValuesOrIsTheIdealGas) {
  const GasMixture methane = testing::GasOf({{"CH4", 1}});
  const UnitChoice english;
  // 500 psia at -159.67 deg F: Z does not settle; the ideal gas's properties, said so.
  GasPropertiesForm cold(methane, english, {500, -159.67, std::nullopt});
  EXPECT_TRUE(cold.State(StateColumn::kUpstream).ideal_fallback);
  cold.SetTyped(100, -400);
  EXPECT_EQ(cold.Notes(),
            (std::vector<std::string>{
                "Upstream: Z does not settle here: the properties are those of the ideal gas "
                "(Z = 1)",
                "Downstream: the downstream pressure is not a number",
                "Typed: below 200 deg R the properties are those at 200 deg R"}));
  const GasPropertiesForm none(methane, english, {std::nullopt, 100, 50});
  EXPECT_EQ(none.Notes(),
            (std::vector<std::string>{"Upstream: the upstream pressure is not a number",
                                      "Downstream: it follows from the upstream state"}));
  EXPECT_EQ(RowNamed(none.Rows(), "Z").cells[0], "-");
}

TEST(GasPropertiesFormTest, CurvesAgainstPressureAtTheUpstreamTemperature) {
  const GasPropertiesForm form(testing::WorkedExampleGas(), testing::SiUnits(), Example());
  const PropertyCurves& c = form.curves();
  EXPECT_EQ(c.problem, "");
  EXPECT_EQ(c.title, "At 26.85 deg C");
  EXPECT_EQ(c.pressure_axis, "Pressure (Bar a)");
  EXPECT_EQ(c.ratio_axis, "Z, isentropic exponent");
  EXPECT_EQ(c.sound_axis, "Speed of sound (m/sec)");
  ASSERT_EQ(c.z.size(), 1u);
  ASSERT_EQ(c.z[0].size(), static_cast<size_t>(kCurvePoints));
  // 1.25 times 60 bar is 75, rounded up to 80.
  EXPECT_EQ(c.z[0].front().x, 80.0 / kCurvePoints);
  EXPECT_EQ(c.z[0].back().x, 80);
  // At 60 bar (point 90) the curves meet the upstream column.
  const StateProperties& up = form.State(StateColumn::kUpstream);
  EXPECT_EQ(c.z[0][89].x, 60);
  EXPECT_EQ(c.z[0][89].y, up.values->z);
  EXPECT_EQ(c.kappa[0][89].y, up.values->kappa);
  EXPECT_EQ(c.speed_of_sound[0][89].y, up.values->speed_of_sound);
  // 500 psia: 625 rounded up to 800.
  const GasPropertiesForm english(testing::WorkedExampleGas(), UnitChoice{}, {500, 100, 100});
  EXPECT_EQ(english.curves().z[0].back().x, 800);
  // Z falls with pressure at 300 K; near 0 bar it is 1 within a few thousandths.
  EXPECT_GT(c.z[0].front().y, 0.99);
  EXPECT_LT(c.z[0].back().y, c.z[0].front().y);

  // Methane at -159.67 deg F: where Z does not settle the curves break.
  const GasPropertiesForm cold(testing::GasOf({{"CH4", 1}}), UnitChoice{}, {1000, -159.67, 100});
  EXPECT_GT(cold.curves().z.size(), 1u);
  const GasPropertiesForm no_temperature(testing::WorkedExampleGas(), testing::SiUnits(),
                                         {60, std::nullopt, 20});
  EXPECT_EQ(no_temperature.curves().problem, "No curves: the upstream temperature is not a number");
  EXPECT_TRUE(no_temperature.curves().z.empty());
}

}  // namespace
}  // namespace torvane
