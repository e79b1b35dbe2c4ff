// The comparison of one case in the user's units: the correlation exactly as the labyrinth
// window computes it, the methods converted with the program's own unit conversions, and the
// table, clipboard text and CSV made from it.
#include "methods/method_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/gas_engine.h"
#include "methods/comparison_table.h"
#include "platform/message_service.h"
#include "support/english_case.h"
#include "thermo/ideal_gas_heat.h"
#include "units/number_format.h"

namespace torvane {
namespace {

constexpr double kPascalPerPsi = 6894.757293168361;

class MethodComparisonTest : public ::testing::Test {
 protected:
  MethodComparisonTest() {
    engine_.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});  // methane
    // 6 in seal, 0.012 in clearance, 500 -> 100 psia, 100 deg F, 8 teeth of 0.02 in at 0.125 in.
    in_ = testing::EnglishStraightCase();
    in_.laby_type = 0;
  }

  RecordingMessageService engine_messages_;
  GasEngine engine_{engine_messages_};
  UnitChoice english_;
  LabyInputs in_;
};

TEST_F(MethodComparisonTest, InputsGoToSiThroughTheProgramsConversions) {
  const SealCase s = SealCaseOf(in_, english_, 16.04, 1.3);
  EXPECT_EQ(s.kind, SealKind::kInterlocking);
  EXPECT_DOUBLE_EQ(s.seal_diameter, 0.1524);
  EXPECT_DOUBLE_EQ(s.clearance, 0.0003048);
  EXPECT_DOUBLE_EQ(s.pitch, 0.003175);
  EXPECT_DOUBLE_EQ(s.tooth_thickness, 0.000508);
  EXPECT_DOUBLE_EQ(s.pressure_up, 500 * kPascalPerPsi);
  EXPECT_DOUBLE_EQ(s.temperature_up, 559.67 / 1.8);
  EXPECT_EQ(s.teeth, 8);
  EXPECT_EQ(s.gamma, 1.3);

  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));  // mm, Bar a, deg C
  LabyInputs metric = in_;
  metric.laby_type = 1;
  metric.seal_dia = 150;
  metric.press_up = 30;
  metric.temp_up = 40;
  const SealCase m = SealCaseOf(metric, si, 16.04, 1.3);
  EXPECT_EQ(m.kind, SealKind::kSeeThrough);
  EXPECT_DOUBLE_EQ(m.seal_diameter, 150 / 25.4 * 0.0254);
  EXPECT_DOUBLE_EQ(m.pressure_up, 30 / 0.06895 * kPascalPerPsi);  // the program's bar factor
  EXPECT_DOUBLE_EQ(m.temperature_up, (40 + 273.15) * 1.8 / 1.8);
}

TEST_F(MethodComparisonTest, EnglishCaseSideBySide) {
  const MethodComparison c = CompareMethods(in_, english_, engine_);
  RecordingMessageService shown;
  LabyrinthCalculation window(english_, engine_, shown);
  const LabyOutcome expected = window.Calculate(in_);

  ASSERT_EQ(c.legacy.status, LegacyStatus::kOk);
  EXPECT_EQ(c.legacy.results.laby_flow, expected.results.laby_flow);
  EXPECT_EQ(c.legacy.results.laby_flow_std, expected.results.laby_flow_std);
  EXPECT_EQ(c.legacy.results.laby_supply_flow, expected.results.laby_supply_flow);
  EXPECT_EQ(c.legacy.results.laby_volume_flow, expected.results.laby_volume_flow);
  EXPECT_TRUE(c.legacy.messages.empty());
  // Gamma of the gas: methane's cp0/cv0 at 100 deg F (310.93 K), cp0/R = 4.36558.
  EXPECT_EQ(c.gamma.source, GammaSource::kGas);
  EXPECT_NEAR(c.gamma.value, 1.297126, 1e-6);
  EXPECT_FALSE(c.real_gas);
  EXPECT_EQ(c.z_up, 1);

  const SealCase s = SealCaseOf(in_, english_, 16.04, c.gamma.value);
  const MethodResult sb = ToothByTooth(s);
  ASSERT_EQ(c.methods.size(), 3u);
  EXPECT_EQ(c.methods[0].id, MethodId::kMartin);
  EXPECT_EQ(c.methods[1].id, MethodId::kVermes);
  EXPECT_EQ(c.methods[2].id, MethodId::kToothByTooth);
  for (const ComparedMethod& m : c.methods) {
    ASSERT_TRUE(m.result.ok()) << m.result.message;
    EXPECT_DOUBLE_EQ(m.mass_flow, m.result.mass_flow / 0.45359237 * 60);  // lb/min
    ASSERT_TRUE(m.ratio_to_legacy.has_value());
    EXPECT_DOUBLE_EQ(*m.ratio_to_legacy, m.mass_flow / expected.results.laby_flow);
  }
  const ComparedMethod& b = c.methods[2];
  EXPECT_EQ(b.result.mass_flow, sb.mass_flow);
  ASSERT_EQ(b.cavity_pressures.size(), 9u);
  EXPECT_EQ(b.cavity_pressures[0], 500);  // the upstream pressure exactly as entered
  EXPECT_DOUBLE_EQ(b.cavity_pressures[3], sb.cavity_pressures[3] / kPascalPerPsi);
  EXPECT_EQ(b.cavity_temperatures[0], 100);  // deg F
  EXPECT_DOUBLE_EQ(b.cavity_temperatures[8], sb.cavity_temperatures[8] * 1.8 - 459.67);
  EXPECT_TRUE(engine_messages_.messages().empty());
}

TEST_F(MethodComparisonTest, ResultsInKilogramsPerHour) {
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  ASSERT_EQ(si.Label(Quantity::kMassFlow), "kg/hr     ");
  LabyInputs metric = in_;
  metric.seal_dia = 150;
  metric.seal_rad_clear = 0.3;
  metric.tooth_thk = 0.5;
  metric.tooth_spc = 3;
  metric.press_up = 30;
  metric.press_down = 5;
  metric.temp_up = 40;
  const MethodComparison c = CompareMethods(metric, si, engine_);
  ASSERT_EQ(c.legacy.status, LegacyStatus::kOk);
  const ComparedMethod& a = c.methods[1];
  ASSERT_TRUE(a.result.ok());
  EXPECT_DOUBLE_EQ(a.mass_flow, a.result.mass_flow / 0.45359237 * 60 * 27.2154);
  EXPECT_EQ(c.methods[2].cavity_pressures[0], 30);     // Bar a
  EXPECT_EQ(c.methods[2].cavity_temperatures[0], 40);  // deg C
  const ComparisonTable t = MakeComparisonTable(c);
  EXPECT_EQ(t.header[1], "Leakage (kg/hr)");
  EXPECT_EQ(ToothByToothProfile(c).pressure_unit, "Bar a");
  EXPECT_EQ(ToothByToothProfile(c).downstream_pressure, 5);
}

TEST_F(MethodComparisonTest, FailedCorrelationDoesNotStopTheMethods) {
  in_.tooth_no = 60;
  MethodComparison c = CompareMethods(in_, english_, engine_);
  EXPECT_EQ(c.legacy.status, LegacyStatus::kRange);
  EXPECT_EQ(c.legacy.messages, std::vector<std::string>{"Maximum number of teeth is 50"});
  for (const ComparedMethod& m : c.methods) {
    EXPECT_TRUE(m.result.ok()) << m.result.message;
    EXPECT_FALSE(m.ratio_to_legacy.has_value());
  }

  in_.tooth_no = 8;
  in_.press_down = 600;
  c = CompareMethods(in_, english_, engine_);
  EXPECT_EQ(c.legacy.status, LegacyStatus::kStop);
  EXPECT_EQ(c.legacy.messages, std::vector<std::string>{"Downstream pressure is too high"});
  for (const ComparedMethod& m : c.methods) {
    EXPECT_EQ(m.result.message, "The downstream pressure is above the upstream pressure");
  }
  const ComparisonTable t = MakeComparisonTable(c);
  EXPECT_EQ(t.rows[0], (std::vector<std::string>{"Program correlation", "-", "", "", "", ""}));
  EXPECT_EQ(t.rows[3], (std::vector<std::string>{"Tooth by tooth", "-", "", "", "", ""}));
  ASSERT_EQ(t.notes.size(), 4u);
  EXPECT_EQ(t.notes[0], "Program correlation: Downstream pressure is too high");
  EXPECT_EQ(t.notes[2], "Martin-Vermes: The downstream pressure is above the upstream pressure");
  EXPECT_TRUE(engine_messages_.messages().empty());
}

TEST_F(MethodComparisonTest, WarningsAreCollectedNotShown) {
  in_.seal_rad_clear = 0.25;  // above 0.12 of the spacing and above the suggested 0.2 in
  const MethodComparison c = CompareMethods(in_, english_, engine_);
  ASSERT_EQ(c.legacy.status, LegacyStatus::kOk);
  const std::vector<std::string> warnings = {
      "Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not be "
      "accurate.",
      "Warning: Radial clearance exceeds suggested value of, 0.2. Calculations may not be "
      "accurate"};
  EXPECT_EQ(c.legacy.warnings, warnings);
  EXPECT_EQ(c.legacy.messages, warnings);
  EXPECT_TRUE(engine_messages_.messages().empty());
}

TEST_F(MethodComparisonTest, RealGasUsesZOfTheUpstreamStateForTheOneShotMethods) {
  const MethodComparison ideal = CompareMethods(in_, english_, engine_, 1.3, false);
  const MethodComparison real = CompareMethods(in_, english_, engine_, 1.3, true);
  double t = 559.67;
  const double z = engine_.SpecificVolume(500, t).z;
  EXPECT_DOUBLE_EQ(real.z_up, z);
  EXPECT_LT(z, 1);
  for (int k : {0, 1}) {
    EXPECT_NEAR(real.methods[k].mass_flow, ideal.methods[k].mass_flow / std::sqrt(z), 1e-12);
  }
  EXPECT_EQ(real.methods[2].mass_flow, ideal.methods[2].mass_flow);
  EXPECT_EQ(ComparisonBasisText(ideal), "Gamma (cp/cv) 1.300 as given, ideal gas");
  EXPECT_EQ(ComparisonBasisText(real), "Gamma (cp/cv) 1.300 as given, real gas, Z = " +
                                           FormatNumber(z, "0.0000") + " at the upstream state");

  // Gamma changes only tooth by tooth.
  const MethodComparison air_like = CompareMethods(in_, english_, engine_, 1.4, false);
  EXPECT_EQ(air_like.methods[0].mass_flow, ideal.methods[0].mass_flow);
  EXPECT_NE(air_like.methods[2].mass_flow, ideal.methods[2].mass_flow);
}

TEST_F(MethodComparisonTest, GammaOfTheGasAtTheUpstreamTemperature) {
  const GasMixture& methane = engine_.CurrentMixture();
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  LabyInputs at_40c = in_;
  at_40c.temp_up = 40;  // deg C: 313.15 K
  struct Case {
    const char* what;
    std::optional<double> given;
    LabyInputs in;
    const UnitChoice* units;
    GammaSource source;
    double value;  // 0: a failure
    const char* failure;
  };
  const Case cases[] = {
      {"given", 1.25, in_, &english_, GammaSource::kGiven, 1.25, ""},
      {"100 deg F", std::nullopt, in_, &english_, GammaSource::kGas, IdealGasGamma(methane, 559.67),
       ""},
      {"40 deg C", std::nullopt, at_40c, &si, GammaSource::kGas, IdealGasGamma(methane, 563.67),
       ""},
      {"given at 1", 1.0, in_, &english_, GammaSource::kGiven, 0, "Gamma (cp/cv) must be above 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CaseGamma g = GammaOfCase(c.given, c.in, *c.units, methane);
    EXPECT_EQ(g.source, c.source);
    EXPECT_NEAR(g.value, c.value, 1e-12);
    EXPECT_EQ(g.failure, c.failure);
  }
  // cp0/R of methane at 313.15 K: 4.568 - 0.008975 T + 3.631e-5 T^2 - 3.407e-8 T^3 +
  // 1.091e-11 T^4 = 4.376822, gamma 4.376822 / 3.376822.
  EXPECT_NEAR(IdealGasGamma(methane, 563.67), 1.296136, 1e-6);
  // Below 200 deg R the equation of state's floor: the gamma at 200 deg R.
  LabyInputs cold = in_;
  cold.temp_up = -359.67;
  EXPECT_EQ(GammaOfCase(std::nullopt, cold, english_, methane).value, IdealGasGamma(methane, 200));
  // Air's polynomial far beyond its range gives cp0/R below 1: no gamma, tooth by tooth fails
  // with the reason and the other methods go on.
  RecordingMessageService messages;
  GasEngine air(messages);
  air.CharacteriseGas(0, std::vector<GasComponentSlot>{{57, 1.0}});
  LabyInputs hot = in_;
  hot.temp_up = 5000;  // deg F, 3033 K
  const std::string none =
      "The gas gives no ratio of specific heats above 1 at the upstream temperature";
  EXPECT_EQ(GammaOfCase(std::nullopt, hot, english_, air.CurrentMixture()).failure, none);
  const MethodComparison c = CompareMethods(hot, english_, air);
  EXPECT_FALSE(c.gamma.ok());
  EXPECT_EQ(c.methods[2].result.message, none);
  EXPECT_TRUE(c.methods[1].result.ok());
  EXPECT_EQ(ComparisonBasisText(c), "Gamma (cp/cv) -, ideal gas");
  EXPECT_EQ(GammaSourceKey(GammaSource::kGas), std::string("gas"));
  EXPECT_EQ(GammaSourceKey(GammaSource::kGiven), std::string("given"));
}

TEST_F(MethodComparisonTest, UnreliableZStopsOnlyTheRealGasMethods) {
  in_.temp_up = -159.67;  // 300 deg R at 500 psia: the equation of state does not settle
  const MethodComparison c = CompareMethods(in_, english_, engine_, 1.3, true);
  const std::string unreliable =
      "Z at the upstream state is not reliable: Max 'Z' iterations, output data may not be "
      "reliable";
  EXPECT_EQ(c.methods[0].result.message, unreliable);
  EXPECT_EQ(c.methods[1].result.message, unreliable);
  EXPECT_TRUE(c.methods[2].result.ok()) << c.methods[2].result.message;
  EXPECT_TRUE(CompareMethods(in_, english_, engine_, 1.3, false).methods[0].result.ok());
  EXPECT_TRUE(engine_messages_.messages().empty());
}

TEST_F(MethodComparisonTest, MassFlowsAloneAreTheComparisonsBitForBit) {
  // One copy of the gas for every case, its message service holding a message from before:
  // only what the engine shows during a call counts.
  RecordingMessageService messages;
  GasEngine copy(engine_, messages);
  messages.Show("an earlier message");
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));

  struct Case {
    const char* what;
    LabyInputs in;
    std::array<bool, 3> works;  // in English units, ideal gas
  };
  std::vector<Case> cases = {{"the English case", in_, {true, true, true}}};
  cases.push_back({"7.5 teeth", in_, {true, true, false}});
  cases.back().in.tooth_no = 7.5;
  cases.push_back({"60 teeth, beyond the correlation", in_, {true, true, true}});
  cases.back().in.tooth_no = 60;
  cases.push_back({"downstream above upstream", in_, {false, false, false}});
  cases.back().in.press_down = 600;
  cases.push_back({"300 deg R, Z does not settle", in_, {true, true, true}});
  cases.back().in.temp_up = -159.67;
  cases.push_back({"100 deg R, below the equation of state", in_, {true, true, true}});
  cases.back().in.temp_up = -359.67;

  for (const Case& c : cases) {
    for (const bool english : {true, false}) {
      const UnitChoice& units = english ? english_ : si;
      for (const bool real_gas : {false, true}) {
        SCOPED_TRACE(std::string(c.what) + (english ? ", English" : ", SI") +
                     (real_gas ? ", real gas" : ", ideal gas"));
        const MethodComparison full = CompareMethods(c.in, units, engine_, 1.25, real_gas);
        const MethodFlows flows = MethodMassFlows(c.in, units, copy, messages, 1.25, real_gas);
        for (size_t k = 0; k < flows.size(); ++k) {
          const ComparedMethod& m = full.methods[k];
          ASSERT_EQ(flows[k].has_value(), m.result.ok()) << MethodKey(m.id);
          if (flows[k]) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*flows[k]),
                      std::bit_cast<std::uint64_t>(m.mass_flow));
          }
          if (english && !real_gas) {
            EXPECT_EQ(m.result.ok(), c.works[k]) << MethodKey(m.id);
          }
        }
      }
    }
  }
  // Z fails at 300 and 100 deg R: Martin and Martin-Vermes have no real-gas flow, tooth by
  // tooth does not use Z.
  for (const double temp_up : {-159.67, -359.67}) {
    LabyInputs cold = in_;
    cold.temp_up = temp_up;
    const MethodFlows flows = MethodMassFlows(cold, english_, copy, messages, 1.3, true);
    EXPECT_FALSE(flows[0].has_value());
    EXPECT_FALSE(flows[1].has_value());
    EXPECT_TRUE(flows[2].has_value());
  }
  EXPECT_TRUE(engine_messages_.messages().empty());
}

TEST_F(MethodComparisonTest, TableClipboardTextAndCsv) {
  in_.tooth_no = 8.5;  // tooth by tooth needs whole teeth
  const MethodComparison c = CompareMethods(in_, english_, engine_, 1.3);
  ASSERT_EQ(c.legacy.status, LegacyStatus::kOk);
  const ComparisonTable t = MakeComparisonTable(c);
  EXPECT_EQ(t.header,
            (std::vector<std::string>{"Method", "Leakage (lb/min)", "Ratio to correlation",
                                      "Choked", "Choking throttle", "Critical ratio"}));
  ASSERT_EQ(t.rows.size(), 4u);
  EXPECT_EQ(t.rows[0][0], "Program correlation");
  EXPECT_EQ(t.rows[0][1], FormatNumber(c.legacy.results.laby_flow, "#,##0.000"));
  EXPECT_EQ(t.rows[0][2], "1.000");
  const ComparedMethod& m = c.methods[0];
  EXPECT_EQ(t.rows[1],
            (std::vector<std::string>{"Martin", FormatNumber(m.mass_flow, "#,##0.000"),
                                      FormatNumber(*m.ratio_to_legacy, "0.000"), "Yes", "last",
                                      FormatNumber(m.result.critical_ratio, "0.0000")}));
  EXPECT_EQ(t.rows[3], (std::vector<std::string>{"Tooth by tooth", "-", "", "", "", ""}));
  EXPECT_EQ(t.notes, std::vector<std::string>{
                         "Tooth by tooth: Tooth by tooth needs a whole number of teeth, not 8.5"});

  const std::string text = ComparisonTableText(t);
  EXPECT_EQ(text.substr(0, text.find('\n')),
            "Method\tLeakage (lb/min)\tRatio to correlation\tChoked\tChoking throttle\tCritical "
            "ratio");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);

  const std::string csv = ComparisonCsv(c);
  EXPECT_EQ(csv.rfind("Gamma (cp/cv),1.3\r\nGamma from,given\r\nReal gas,no\r\nZ upstream,1\r\n\r\n"
                      "Method,Status,Leakage (lb/min),Ratio to correlation,Choked,Choking "
                      "throttle,Critical ratio,Message\r\n",
                      0),
            0u)
      << csv;
  EXPECT_NE(csv.find("\r\nMartin,ok," + ShortestGeneral(m.mass_flow) + "," +
                     ShortestGeneral(*m.ratio_to_legacy) + ",yes,last," +
                     ShortestGeneral(m.result.critical_ratio) + ",\r\n"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\r\nTooth by tooth,error,,,,,,"
                     "\"Tooth by tooth needs a whole number of teeth, not 8.5\"\r\n"),
            std::string::npos);
  EXPECT_EQ(csv.find("Station"), std::string::npos);  // no profile without tooth by tooth
}

// The clipboard takes the table as a spreadsheet reads it: the unit in the leakage heading, the
// numbers as plain decimals; the window keeps its thousands separators.
TEST_F(MethodComparisonTest, TheCopyHasPlainNumbers) {
  MethodComparison c = CompareMethods(in_, english_, engine_);
  ASSERT_EQ(c.legacy.status, LegacyStatus::kOk);
  c.legacy.results.laby_flow = 12345.6784;
  c.methods[0].mass_flow = 2345.5;
  c.methods[1].mass_flow = 999.9996;
  const ComparisonTable t = MakeComparisonTable(c);
  EXPECT_EQ(t.rows[0][1], "12,345.678");
  EXPECT_EQ(t.copy_rows[0][1], "12345.678");
  EXPECT_EQ(t.rows[1][1], "2,345.500");
  EXPECT_EQ(t.copy_rows[1][1], "2345.500");
  EXPECT_EQ(t.copy_rows[2][1], "1000.000");
  for (size_t r = 0; r < t.rows.size(); ++r) {
    for (size_t k = 0; k < t.rows[r].size(); ++k) {
      if (k != 1) {
        EXPECT_EQ(t.copy_rows[r][k], t.rows[r][k]) << r << "," << k;
      }
    }
  }
  const std::string text = ComparisonTableText(t);
  EXPECT_EQ(text.substr(0, text.find('\n') + 1),
            "Method\tLeakage (lb/min)\tRatio to correlation\tChoked\tChoking throttle\t"
            "Critical ratio\n");
  EXPECT_NE(text.find("\nProgram correlation\t12345.678\t1.000\t"), std::string::npos) << text;
  EXPECT_EQ(text.find(','), std::string::npos) << text;
}

TEST_F(MethodComparisonTest, CsvQuotesAndTheStationProfile) {
  in_.seal_rad_clear = 0.25;  // warnings with commas in them
  const MethodComparison c = CompareMethods(in_, english_, engine_);
  const std::string csv = ComparisonCsv(c);
  EXPECT_NE(csv.find("\"Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results "
                     "may not be accurate.; Warning: Radial clearance exceeds suggested value "
                     "of, 0.2. Calculations may not be accurate\"\r\n"),
            std::string::npos)
      << csv;
  const auto station = csv.find("\r\n\r\nStation,Pressure (psia),Temperature (deg F)\r\n0,500,");
  ASSERT_NE(station, std::string::npos) << csv;
  EXPECT_NE(csv.find("\r\n8," + ShortestGeneral(c.methods[2].cavity_pressures[8]) + ","),
            std::string::npos);
}

}  // namespace
}  // namespace torvane

namespace torvane {
namespace {

// One method at a time gives bit for bit the comparison's result: ideal and real gas, and a
// failure with the comparison's message.
TEST(WorkMethodTest, EachMethodIsTheComparisonsOwn) {
  RecordingMessageService shown;
  GasEngine engine(shown);
  engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 0.9}, {2, 0.1}});
  const UnitChoice english;
  struct Case {
    double teeth;
    bool real_gas;
  };
  for (const Case c : {Case{8, false}, Case{8, true}, Case{7.5, false}}) {
    LabyInputs in = testing::EnglishStraightCase();
    in.tooth_no = c.teeth;
    const MethodComparison compared = CompareMethods(in, english, engine, 1.27, c.real_gas);
    std::vector<std::pair<MethodId, MethodResult>> expected;
    for (const ComparedMethod& m : compared.methods) expected.emplace_back(m.id, m.result);
    if (c.real_gas) {
      expected.emplace_back(MethodId::kRealGasToothByTooth,
                            compared.real_gas_tooth_by_tooth->result);
    }
    for (const auto& [id, want] : expected) {
      RecordingMessageService messages;
      GasEngine copy(engine, messages);
      const MethodResult got = WorkMethod(id, in, english, copy, messages, 1.27, c.real_gas);
      SCOPED_TRACE(std::string(MethodKey(id)) + " teeth " + RoundTrip(c.teeth));
      EXPECT_EQ(got.ok(), want.ok());
      EXPECT_EQ(got.message, want.message);
      EXPECT_EQ(std::bit_cast<std::uint64_t>(got.mass_flow),
                std::bit_cast<std::uint64_t>(want.mass_flow));
      EXPECT_EQ(got.choked, want.choked);
      EXPECT_EQ(got.cavity_pressures, want.cavity_pressures);
    }
  }
}

TEST(WorkMethodTest, RealGasToothByToothKeepsEveryStation) {
  RecordingMessageService messages;
  GasEngine engine(messages);
  engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});
  const RealGasToothByToothResult r = WorkRealGasToothByTooth(
      testing::EnglishStraightCase(), UnitChoice(), engine, messages, kDefaultGamma);
  ASSERT_TRUE(r.method.ok()) << r.method.message;
  ASSERT_EQ(r.stations.size(), 9u);
  EXPECT_EQ(r.stations.front().pressure, r.method.cavity_pressures.front());
  EXPECT_GT(r.stations.back().drho_dp_t, 0);
}

}  // namespace
}  // namespace torvane
