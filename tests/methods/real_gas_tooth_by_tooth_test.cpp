// Tooth by tooth along the real gas's isentrope: its ideal-gas limit (the ideal tooth by tooth
// to round-off for a gas of Z = 1 and constant cp, 0.12 % above it for air at 3 bar), a choked
// seal with the throat at the speed of sound, the table against exact look-ups, and the
// natural gas at pipeline pressure.
#include "methods/real_gas_tooth_by_tooth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/component_library.h"
#include "engine/gas_engine.h"
#include "methods/comparison_table.h"
#include "methods/method_comparison.h"
#include "platform/message_service.h"
#include "support/english_case.h"
#include "support/worked_seal.h"
#include "thermo/ideal_gas_heat.h"
#include "thermo/isentrope.h"
#include "units/number_format.h"

namespace torvane {
namespace {

using testing::WorkedExampleSeal;

double Relative(double a, double b) { return std::fabs(a / b - 1); }

GasMixture GasOf(const std::vector<std::pair<const char*, double>>& parts) {
  std::vector<GasComponentSlot> slots;
  for (const auto& [code, x] : parts) slots.push_back({FindComponent(code).value(), x});
  return CharacteriseGas(slots);
}

// A gas of Z = 1 (every equation-of-state constant zero) and cp = 3.5 R: the perfect gas of
// gamma 1.4 that the ideal tooth by tooth assumes.
CaloricGas PerfectGas(double molar_mass) {
  GasMixture mix;
  mix.mix_mol_weight = molar_mass;
  IdealGasHeat heat;
  heat.a = {3.5, 0, 0, 0, 0};
  return CaloricGas(mix, heat);
}

// The ideal tooth by tooth works with R = 8314 / M: the same R as the caloric model's
// 8314.462618 / M for a molar mass scaled by 8314 / 8314.462618.
SealCase SameGasConstant(SealCase s) {
  s.molar_mass *= 8314 / (1000 * kMolarGasConstant);
  return s;
}

TEST(RealGasToothByToothTest, PerfectGasIsTheIdealToothByTooth) {
  const CaloricGas gas = PerfectGas(testing::kAirMolarMass);
  struct Case {
    SealKind kind;
    double teeth, p2;
  };
  // Unchoked interlocking, choked interlocking, choked see-through.
  for (const Case c :
       {Case{SealKind::kInterlocking, 16, 94300}, Case{SealKind::kInterlocking, 4, 30000},
        Case{SealKind::kSeeThrough, 5, 30000}}) {
    SealCase s = WorkedExampleSeal(c.kind);
    s.teeth = c.teeth;
    s.pressure_down = c.p2;
    s.gamma = 1.4;
    const MethodResult ideal = ToothByTooth(SameGasConstant(s));
    ASSERT_TRUE(ideal.ok()) << ideal.message;
    // The table's choke points are good to its interpolation error, exact look-ups to
    // round-off.
    for (const auto& [lookup, tolerance] :
         {std::pair{IsentropeLookup::kTable, 1e-7}, std::pair{IsentropeLookup::kExact, 1e-11}}) {
      const RealGasToothByToothResult real = RealGasToothByTooth(s, gas, lookup);
      ASSERT_TRUE(real.method.ok()) << real.method.message;
      EXPECT_LT(Relative(real.method.mass_flow, ideal.mass_flow), tolerance / 10) << c.teeth;
      EXPECT_EQ(real.method.choked, ideal.choked);
      EXPECT_EQ(real.method.choked_throttle, ideal.choked_throttle);
      EXPECT_LT(Relative(real.method.critical_ratio, ideal.critical_ratio), tolerance);
      ASSERT_EQ(real.stations.size(), ideal.cavity_pressures.size());
      for (size_t i = 0; i < real.stations.size(); ++i) {
        EXPECT_LT(Relative(real.stations[i].pressure, ideal.cavity_pressures[i]), tolerance) << i;
        EXPECT_LT(Relative(real.stations[i].temperature, ideal.cavity_temperatures[i]), tolerance)
            << i;
      }
      EXPECT_EQ(real.method.cavity_pressures[0], s.pressure_up);
      EXPECT_EQ(real.method.cavity_temperatures[0], s.temperature_up);
    }
  }
}

TEST(RealGasToothByToothTest, AirAtThreeBarIsWithinTwoTenthsOfAPercentOfTheIdealGas) {
  const GasMixture air = GasOf({{"AIR", 1}});
  const SealCase s = WorkedExampleSeal();
  SealCase ideal_case = s;
  ideal_case.molar_mass = air.mix_mol_weight;
  ideal_case.gamma = IdealGasGamma(air, s.temperature_up * 1.8);
  const MethodResult ideal = ToothByTooth(ideal_case);
  const RealGasToothByToothResult real = RealGasToothByTooth(s, CaloricGas(air));
  ASSERT_TRUE(real.method.ok()) << real.method.message;
  const double excess = real.method.mass_flow / ideal.mass_flow - 1;
  EXPECT_GT(excess, 0.0008);
  EXPECT_LT(excess, 0.0016);
  EXPECT_FALSE(real.method.choked);
  EXPECT_NEAR(real.stations.back().pressure, s.pressure_down, 1e-8 * s.pressure_down);
}

// Choked: the throttle that chokes passes its jet at the speed of sound of the state just past
// it, and that state lies above the downstream pressure.
TEST(RealGasToothByToothTest, ChokedSealHasItsThroatAtTheSpeedOfSound) {
  const CaloricGas gas(
      GasOf({{"CH4", 0.9}, {"C2H6", 0.05}, {"C3H8", 0.02}, {"N2", 0.02}, {"CO2", 0.01}}));
  for (const SealKind kind : {SealKind::kInterlocking, SealKind::kSeeThrough}) {
    SealCase s = WorkedExampleSeal(kind);
    s.teeth = 4;
    s.pressure_up = 100e5;
    s.pressure_down = 10e5;
    s.temperature_up = 310;
    const RealGasToothByToothResult r = RealGasToothByTooth(s, gas);
    ASSERT_TRUE(r.method.ok()) << r.method.message;
    ASSERT_TRUE(r.method.choked);
    ASSERT_EQ(r.method.choked_throttle, 4);
    const RealGasStation& last = r.stations[4];
    EXPECT_LT(Relative(last.jet_velocity, last.speed_of_sound), 1e-7);
    EXPECT_GT(last.pressure, s.pressure_down);
    EXPECT_NEAR(r.method.critical_ratio, last.pressure / s.pressure_up, 1e-12);
    // Every other throat is below the speed of sound.
    for (size_t i = 1; i < 4; ++i) {
      EXPECT_LT(r.stations[i].jet_velocity, r.stations[i].speed_of_sound) << i;
    }
    // A lower downstream pressure changes nothing.
    s.pressure_down = 1e5;
    EXPECT_EQ(RealGasToothByTooth(s, gas).method.mass_flow, r.method.mass_flow);
  }
}

// The leakage from the table against exact look-ups of the isentrope at every pressure.
TEST(RealGasToothByToothTest, TableErrorIsFarBelowAMillionthOfTheLeakage) {
  struct Case {
    GasMixture gas;
    SealKind kind;
    double teeth, p1, p2, t1;
  };
  const GasMixture natural_gas =
      GasOf({{"CH4", 0.9}, {"C2H6", 0.05}, {"C3H8", 0.02}, {"N2", 0.02}, {"CO2", 0.01}});
  const Case cases[] = {
      {natural_gas, SealKind::kInterlocking, 12, 100e5, 40e5, 310},
      {natural_gas, SealKind::kSeeThrough, 40, 100e5, 5e5, 300},
      {GasOf({{"AIR", 1}}), SealKind::kInterlocking, 16, 3.08e5, 0.943e5, 283.15},
      {GasOf({{"CH4", 0.7}, {"CO2", 0.3}}), SealKind::kSeeThrough, 6, 120e5, 30e5, 320},
  };
  for (const Case& c : cases) {
    SealCase s = WorkedExampleSeal(c.kind);
    s.teeth = c.teeth;
    s.pressure_up = c.p1;
    s.pressure_down = c.p2;
    s.temperature_up = c.t1;
    s.molar_mass = c.gas.mix_mol_weight;
    const CaloricGas gas(c.gas);
    const RealGasToothByToothResult table = RealGasToothByTooth(s, gas);
    const RealGasToothByToothResult exact = RealGasToothByTooth(s, gas, IsentropeLookup::kExact);
    ASSERT_TRUE(table.method.ok()) << table.method.message;
    ASSERT_TRUE(exact.method.ok()) << exact.method.message;
    EXPECT_LT(Relative(table.method.mass_flow, exact.method.mass_flow), 1e-7) << c.teeth;
    EXPECT_EQ(table.method.choked, exact.method.choked);
  }
}

// Natural gas at 100 -> 40 bar through 12 teeth: the real gas leaks some 10 % more than the
// ideal gas of any gamma near its own, and its stations hold the states the rotordynamic
// coefficients need.
TEST(RealGasToothByToothTest, NaturalGasAtPipelinePressureLeaksMoreThanTheIdealGas) {
  const GasMixture mix =
      GasOf({{"CH4", 0.9}, {"C2H6", 0.05}, {"C3H8", 0.02}, {"N2", 0.02}, {"CO2", 0.01}});
  const CaloricGas gas(mix);
  SealCase s = WorkedExampleSeal();
  s.teeth = 12;
  s.pressure_up = 100e5;
  s.pressure_down = 40e5;
  s.temperature_up = 310;
  s.molar_mass = mix.mix_mol_weight;
  const RealGasToothByToothResult real = RealGasToothByTooth(s, gas);
  ASSERT_TRUE(real.method.ok()) << real.method.message;
  for (const double gamma : {1.25, 1.3, IdealGasGamma(mix, 310 * 1.8)}) {
    s.gamma = gamma;
    const double excess = real.method.mass_flow / ToothByTooth(s).mass_flow - 1;
    EXPECT_GT(excess, 0.08) << gamma;
    EXPECT_LT(excess, 0.14) << gamma;
  }
  for (size_t i = 0; i < real.stations.size(); ++i) {
    const RealGasStation& st = real.stations[i];
    const GasProperties q = PropertiesAtSi(gas, st.pressure, st.temperature);
    EXPECT_LT(Relative(st.density, q.density), 1e-9) << i;
    EXPECT_LT(Relative(st.drho_dp_t, q.drho_dp_t), 1e-9) << i;
    EXPECT_LT(Relative(st.enthalpy, q.enthalpy_mass()), 1e-9) << i;
    if (i > 0) {
      EXPECT_LT(st.temperature, real.stations[i - 1].temperature);
      EXPECT_LT(Relative(st.jet_velocity * st.density,
                         real.method.flux / (real.method.discharge_coefficient * s.clearance)),
                1e-12);
    }
  }
}

TEST(RealGasToothByToothTest, SaysWhyItDoesNotApply) {
  const CaloricGas methane(GasOf({{"CH4", 1}}));
  SealCase s = WorkedExampleSeal();
  s.molar_mass = 16.043;
  s.pressure_up = 500 * 6894.757293168361;  // 500 psia at 300 degR: Z falls back to 1
  s.pressure_down = s.pressure_up / 2;
  s.temperature_up = 300 / 1.8;
  RealGasToothByToothResult r = RealGasToothByTooth(s, methane);
  EXPECT_FALSE(r.method.ok());
  EXPECT_EQ(r.method.message,
            "Z at the upstream state is not reliable: the equation of state falls back to the "
            "ideal gas there");
  EXPECT_TRUE(r.stations.empty());
  s.temperature_up = 100;
  r = RealGasToothByTooth(s, methane);
  EXPECT_EQ(r.method.message, "The equation of state gives no Z below 200 deg R");
  s = WorkedExampleSeal();
  s.teeth = 8.5;
  EXPECT_EQ(RealGasToothByTooth(s, methane).method.message,
            "Tooth by tooth needs a whole number of teeth, not 8.5");
}

// The comparison with the real-gas option: the real-gas tooth by tooth in the user's units, as
// the fifth row of its table and CSV; without the option nothing of it.
TEST(RealGasToothByToothTest, ComparisonWithTheRealGasHasItAsItsFifthRow) {
  RecordingMessageService messages;
  GasEngine engine(messages);
  engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});  // methane
  LabyInputs in = testing::EnglishStraightCase();
  in.laby_type = 0;
  const UnitChoice english;

  const MethodComparison ideal = CompareMethods(in, english, engine);
  EXPECT_FALSE(ideal.real_gas_tooth_by_tooth);
  EXPECT_EQ(MakeComparisonTable(ideal).rows.size(), 4u);

  const MethodComparison real = CompareMethods(in, english, engine, 1.3, true);
  ASSERT_TRUE(real.real_gas_tooth_by_tooth);
  const ComparedMethod& m = *real.real_gas_tooth_by_tooth;
  ASSERT_TRUE(m.result.ok()) << m.result.message;
  EXPECT_EQ(m.id, MethodId::kRealGasToothByTooth);
  EXPECT_STREQ(MethodKey(m.id), "tooth-by-tooth-real-gas");
  // The same seal worked directly, in lb/min.
  const SealCase s = SealCaseOf(in, english, 16.04, 1.3);
  const RealGasToothByToothResult direct = RealGasToothByTooth(s, CaloricGas(engine.Mixture(0)));
  EXPECT_DOUBLE_EQ(m.mass_flow, direct.method.mass_flow / 0.45359237 * 60);
  EXPECT_DOUBLE_EQ(*m.ratio_to_legacy, m.mass_flow / real.legacy.results.laby_flow);
  ASSERT_EQ(m.cavity_pressures.size(), 9u);
  EXPECT_EQ(m.cavity_pressures[0], 500);
  EXPECT_EQ(m.cavity_temperatures[0], 100);
  // 500 to 100 psia through 8 teeth is choked at the last one, as for the ideal gas.
  EXPECT_TRUE(m.result.choked);
  EXPECT_EQ(m.result.choked_throttle, 8);
  EXPECT_GT(m.cavity_pressures[8], 100);
  // Methane at 500 psia leaks more as the real gas than as the ideal gas of gamma 1.3.
  EXPECT_GT(m.mass_flow, real.methods[2].mass_flow);

  const ComparisonTable t = MakeComparisonTable(real);
  ASSERT_EQ(t.rows.size(), 5u);
  EXPECT_EQ(t.rows[4][0], "Tooth by tooth (real gas)");
  EXPECT_EQ(t.rows[4][1], FormatNumber(m.mass_flow, "#,##0.000"));
  EXPECT_EQ(t.rows[4][3], m.result.choked ? "Yes" : "No");
  EXPECT_NE(ComparisonCsv(real).find("\r\nTooth by tooth (real gas),ok," +
                                     ShortestGeneral(m.mass_flow) + ","),
            std::string::npos);
}

TEST(RealGasToothByToothTest, ComparisonWithAnUnreliableZSaysWhy) {
  RecordingMessageService messages;
  GasEngine engine(messages);
  engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});
  LabyInputs in = testing::EnglishStraightCase();
  in.temp_up = -159.67;  // 300 deg R at 500 psia: the equation of state does not settle
  const MethodComparison c = CompareMethods(in, UnitChoice(), engine, 1.3, true);
  ASSERT_TRUE(c.real_gas_tooth_by_tooth);
  EXPECT_EQ(c.real_gas_tooth_by_tooth->result.message,
            "Z at the upstream state is not reliable: Max 'Z' iterations, output data may not be "
            "reliable");
  EXPECT_EQ(MakeComparisonTable(c).rows[4],
            (std::vector<std::string>{"Tooth by tooth (real gas)", "-", "", "", "", ""}));
  EXPECT_TRUE(messages.messages().empty());
}

}  // namespace
}  // namespace torvane
