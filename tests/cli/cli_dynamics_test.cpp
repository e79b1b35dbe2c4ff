// torvane-cli dynamics, and sweep and batch with --dynamics: the answer's fields, units and
// numbers (those of the library, bit for bit), the speeds, the usage failures and exit codes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_command.h"
#include "cli/cli_test_support.h"
#include "dynamics/dynamics_calculation.h"
#include "engine/component_library.h"
#include "engine/gas_mixture.h"
#include "support/english_case.h"
#include "thermo/ideal_gas_heat.h"
#include "units/number_format.h"

namespace torvane::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::CsvFields;
using testing::Lines;

// The worked example of the coefficients in SI units: a stepped seal of 145 mm, 0.3 mm
// clearance, 3.08 -> 0.943 bar, 10 deg C, teeth 0.1524 mm thick at 3.175 mm, 3.175 mm high.
std::vector<std::string> Case(const std::string& command = "dynamics") {
  return {command,   "--gas",           "AIR:1", "--units",          "si",  "--type",
          "stepped", "--diameter",      "145",   "--clearance",      "0.3", "--pressure-up",
          "3.08",    "--pressure-down", "0.943", "--temperature-up", "10",  "--thickness",
          "0.1524",  "--spacing",       "3.175", "--teeth",          "16",  "--tooth-height",
          "3.175"};
}

LabyInputs CaseInputs() {
  LabyInputs in;
  in.laby_type = 0;
  in.seal_dia = 145;
  in.seal_rad_clear = 0.3;
  in.press_up = 3.08;
  in.press_down = 0.943;
  in.temp_up = 10;
  in.tooth_thk = 0.1524;
  in.tooth_spc = 3.175;
  in.tooth_no = 16;
  return in;
}

std::vector<std::string> With(std::vector<std::string> args,
                              std::initializer_list<std::string> more) {
  for (const std::string& m : more) args.push_back(m);
  return args;
}

std::vector<std::string> Replace(std::vector<std::string> args, const std::string& option,
                                 const std::string& value) {
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == option) args[i + 1] = value;
  }
  return args;
}

// The value text of the first "key": after position from.
std::string Value(const std::string& json, const std::string& key, size_t from = 0) {
  const std::string quoted = "\"" + key + "\":";
  const size_t at = json.find(quoted, from);
  if (at == std::string::npos) return "<missing>";
  const size_t begin = at + quoted.size();
  size_t end = begin;
  if (json[begin] == '"') {
    end = json.find('"', begin + 1) + 1;
  } else {
    while (end < json.size() && json[end] != ',' && json[end] != '}' && json[end] != ']') ++end;
  }
  return json.substr(begin, end - begin);
}

SpeedAnswer LibraryAnswer(double rpm, DynamicsOptions options = {}) {
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  const std::vector<GasComponentSlot> slots = {{*FindComponent("AIR"), 1}};
  options.tooth_height = 3.175;
  const DynamicsCalculation d(CaseInputs(), si, CharacteriseGas(slots), options);
  return d.AtSpeed(rpm);
}

// Air's cp0/cv0 at the case's 10 deg C, as the program converts it (283.15 K): cp0/R = 3.496003.
double AirGamma() {
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  return IdealGasGamma(CharacteriseGas(std::vector<GasComponentSlot>{{*FindComponent("AIR"), 1}}),
                       si.ConvertTemperature(10, "AR"));
}

TEST(CliDynamicsTest, AnswerHoldsUnitsInputsLeakageAndSpeedsInOrder) {
  EXPECT_NEAR(AirGamma(), 1.400641, 1e-6);
  const CliRun r = Cli(With(Case(), {"--speed", "8000,0", "--json"}));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(
      r.out.rfind("{\"units\":{\"mass_flow\":\"kg/hr\",\"volume_flow\":\"m3/hr\",\"length\":\"mm\","
                  "\"pressure\":\"Bar a\",\"temperature\":\"deg C\",\"stiffness\":\"N/m\","
                  "\"damping\":\"N-s/m\",\"speed\":\"rpm\",\"velocity\":\"m/sec\","
                  "\"viscosity\":\"mPa-sec\"},"
                  "\"inputs\":{\"preswirl\":0.5,\"whirl_ratio\":1,\"gamma\":" +
                      RoundTrip(AirGamma()) +
                      ",\"gamma_source\":\"gas\",\"real_gas\":false,\"teeth_on\":null,"
                      "\"viscosity_law\":\"gas\",\"jenny_kanki\":false},"
                      "\"leakage\":{\"status\":\"ok\",\"message\":\"\",\"mass_flow\":",
                  0),
      0u)
      << r.out;
  EXPECT_EQ(Value(r.out, "choked"), "false");
  const size_t first = r.out.find(
      "\"speeds\":[{\"speed\":8000,\"whirl_frequency\":8000,"
      "\"status\":\"ok\",\"message\":\"\",\"kxx\":");
  ASSERT_NE(first, std::string::npos) << r.out;
  // The fields of a speed in their order.
  size_t at = first;
  for (const char* k :
       {"kxx", "kxy", "kyx", "kyy", "cxx", "cxy", "cyx", "cyy", "effective_stiffness",
        "effective_damping", "whirl_frequency_ratio", "cavities"}) {
    const size_t next = r.out.find(std::string("\"") + k + "\":", at);
    EXPECT_NE(next, std::string::npos) << k;
    at = next;
  }
  EXPECT_EQ(r.out.find("\"cavities\":[{\"pressure\":", first), at);
  const size_t cavities = r.out.find("\"cavities\":[", first);
  const size_t end = r.out.find("]}", cavities);
  const std::string table = r.out.substr(cavities, end - cavities);
  size_t count = 0;
  for (size_t at = table.find("{\"pressure\":"); at != std::string::npos;
       at = table.find("{\"pressure\":", at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 15u);
  EXPECT_NE(table.find("\"temperature\":"), std::string::npos);
  EXPECT_NE(table.find("\"swirl\":"), std::string::npos);
  EXPECT_NE(table.find("\"shear_rotor\":"), std::string::npos);
  EXPECT_NE(table.find("\"shear_stator\":"), std::string::npos);
  EXPECT_NE(table.find("\"viscosity\":"), std::string::npos);
  // The second speed, at rest: no whirl frequency ratio.
  const size_t rest = r.out.find("{\"speed\":0,\"whirl_frequency\":0,", end);
  ASSERT_NE(rest, std::string::npos);
  EXPECT_EQ(Value(r.out, "kxx", rest), "0");
  EXPECT_EQ(Value(r.out, "kyx", rest), "0");
  EXPECT_EQ(Value(r.out, "whirl_frequency_ratio", rest), "null");
  EXPECT_EQ(r.out.substr(r.out.size() - 3), "]}\n");
}

TEST(CliDynamicsTest, EnglishUnitsOfStiffnessDampingVelocityAndViscosity) {
  std::vector<std::string> args = {"dynamics", "--gas", "CH4:1"};
  for (const std::string& a : testing::CaseArguments(testing::EnglishStraightCase())) {
    args.push_back(a);
  }
  const CliRun r = Cli(
      With(args, {"--tooth-height", "0.125", "--teeth-on", "rotor", "--speed", "10000", "--json"}));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"stiffness\":\"lbf/in\",\"damping\":\"lbf-s/in\",\"speed\":\"rpm\","
                       "\"velocity\":\"ft/sec\",\"viscosity\":\"lb/ft-sec\"}"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(Value(r.out, "teeth_on"), "\"rotor\"");
  EXPECT_EQ(Value(r.out, "status", r.out.find("\"speeds\"")), "\"ok\"");
}

TEST(CliDynamicsTest, NumbersAreTheLibrarysAndTheCsvReadsBackToThem) {
  const CliRun json =
      Cli(With(Case(), {"--speed", "8000", "--json", "--preswirl", "0.98", "--gamma", "1.41"}));
  const CliRun csv =
      Cli(With(Case(), {"--speed", "8000", "--csv", "--preswirl", "0.98", "--gamma", "1.41"}));
  ASSERT_EQ(json.code, 0) << json.err;
  ASSERT_EQ(csv.code, 0) << csv.err;
  DynamicsOptions o;
  o.preswirl = 0.98;
  o.gamma = 1.41;
  const SpeedAnswer a = LibraryAnswer(8000, o);
  ASSERT_TRUE(a.ok());
  const RotordynamicCoefficients& k = a.coefficients;
  const std::vector<std::string> lines = Lines(csv.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "speed (rpm),whirl_frequency (rpm),status,message,kxx (N/m),kxy (N/m),kyx (N/m),"
            "kyy (N/m),cxx (N-s/m),cxy (N-s/m),cyx (N-s/m),cyy (N-s/m),effective_stiffness (N/m),"
            "effective_damping (N-s/m),whirl_frequency_ratio");
  const std::vector<std::string> row = CsvFields(lines[1]);
  ASSERT_EQ(row.size(), 15u);
  EXPECT_EQ(row[0], "8000");
  EXPECT_EQ(row[2], "ok");
  EXPECT_EQ(row[3], "");
  const double expected[] = {k.kxx,
                             k.kxy,
                             k.kyx,
                             k.kyy,
                             k.cxx,
                             k.cxy,
                             k.cyx,
                             k.cyy,
                             a.effective_stiffness,
                             *a.effective_damping,
                             *a.whirl_frequency_ratio};
  const char* keys[] = {"kxx",
                        "kxy",
                        "kyx",
                        "kyy",
                        "cxx",
                        "cxy",
                        "cyx",
                        "cyy",
                        "effective_stiffness",
                        "effective_damping",
                        "whirl_frequency_ratio"};
  const size_t speeds = json.out.find("\"speeds\"");
  for (size_t i = 0; i < 11; ++i) {
    SCOPED_TRACE(keys[i]);
    EXPECT_EQ(std::strtod(row[4 + i].c_str(), nullptr), expected[i]);
    EXPECT_EQ(Value(json.out, keys[i], speeds), row[4 + i]);
  }
  // The worked example's cross-coupling, near enough through the SI preset's bar and air's
  // own viscosity.
  EXPECT_NEAR(k.kxy / 35541.6, 1, 0.01);
  EXPECT_EQ(Value(json.out, "swirl", speeds), RoundTrip(a.cavities[0].swirl));
  EXPECT_EQ(Value(json.out, "viscosity", speeds), RoundTrip(a.cavities[0].viscosity));
}

TEST(CliDynamicsTest, SpeedRangeFollowsTheStudyRule) {
  const CliRun r = Cli(With(Case(), {"--speed", "1000:0:5", "--csv"}));
  ASSERT_EQ(r.code, 0) << r.err;
  std::vector<std::string> speeds;
  for (const std::string& line : Lines(r.out)) speeds.push_back(CsvFields(line)[0]);
  EXPECT_EQ(speeds, (std::vector<std::string>{"speed (rpm)", "1000", "750", "500", "250", "0"}));
  const CliRun list = Cli(With(Case(), {"--speed", " 3000 ,4e3", "--csv", "--whirl-ratio", "0.5"}));
  ASSERT_EQ(list.code, 0) << list.err;
  const std::vector<std::string> lines = Lines(list.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].substr(0, 13), "3000,1500,ok,");
  EXPECT_EQ(lines[2].substr(0, 13), "4000,2000,ok,");
}

TEST(CliDynamicsTest, InputsAreEchoed) {
  const CliRun r = Cli(With(
      Replace(Case(), "--type", "straight"),
      {"--speed", "5000", "--json", "--teeth-on", "stator", "--preswirl", "-0.25", "--whirl-ratio",
       "0.8", "--gamma", "1.41", "--viscosity-ref", "10:0.0176,-20:0.0161", "--jenny-kanki"}));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"inputs\":{\"preswirl\":-0.25,\"whirl_ratio\":0.8,\"gamma\":1.41,"
                       "\"gamma_source\":\"given\",\"real_gas\":false,"
                       "\"teeth_on\":\"stator\",\"viscosity_law\":\"sutherland\","
                       "\"jenny_kanki\":true}"),
            std::string::npos)
      << r.out;
  const CliRun constant = Cli(With(Case(), {"--speed", "5000", "--json", "--viscosity", "0.018"}));
  EXPECT_EQ(Value(constant.out, "viscosity_law"), "\"constant\"");
  EXPECT_EQ(Value(constant.out, "viscosity", constant.out.find("\"cavities\"")), "0.018");
}

TEST(CliDynamicsTest, FlowCoefficientIsAcceptedAndUnused) {
  const CliRun without = Cli(With(Case(), {"--speed", "7000", "--json"}));
  const CliRun with = Cli(With(Case(), {"--speed", "7000", "--json", "--flow-coef", "0.2"}));
  ASSERT_EQ(without.code, 0) << without.err;
  EXPECT_EQ(with.code, 0);
  EXPECT_EQ(with.out, without.out);
}

TEST(CliDynamicsTest, TableByDefault) {
  const CliRun r = Cli(With(Case(), {"--speed", "8000", "--preswirl", "0.98", "--gamma", "1.41"}));
  ASSERT_EQ(r.code, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 5u) << r.out;
  EXPECT_EQ(lines[0], "Preswirl 0.98, whirl ratio 1, gamma 1.41, viscosity from the gas");
  EXPECT_EQ(lines[1].rfind("Leakage (tooth by tooth)  ", 0), 0u);
  EXPECT_EQ(lines[2], "Stiffness in N/m, damping in N-s/m, speeds in rpm");
  EXPECT_EQ(lines[3].rfind("speed        kxx          kxy", 0), 0u);
  EXPECT_EQ(lines[4].rfind("8000         -", 0), 0u);
  const std::vector<std::string> gas = Lines(Cli(With(Case(), {"--speed", "8000"})).out);
  EXPECT_EQ(gas[0],
            "Preswirl 0.5, whirl ratio 1, gamma 1.40064 from the gas, viscosity from the gas");
  const std::vector<std::string> real =
      Lines(Cli(With(Case(), {"--speed", "8000", "--real-gas"})).out);
  EXPECT_EQ(real[0], "Preswirl 0.5, whirl ratio 1, real gas, viscosity from the gas");
  EXPECT_EQ(real[1].rfind("Leakage (tooth by tooth, real gas)  ", 0), 0u);
}

TEST(CliDynamicsTest, UsageFailures) {
  struct Bad {
    std::vector<std::string> args;
    const char* message;
  };
  const std::vector<std::string> base = With(Case(), {"--speed", "8000"});
  std::vector<std::string> no_height = base;
  no_height.erase(no_height.begin() + 23, no_height.begin() + 25);
  const Bad cases[] = {
      {no_height, "missing option --tooth-height"},
      {Replace(base, "--tooth-height", "0"), "--tooth-height: '0' is not a positive length"},
      {Case(), "missing option --speed"},
      {Replace(base, "--speed", "-1"), "--speed: '-1' is not a speed of 0 rpm or more"},
      {Replace(base, "--speed", "100,x"), "--speed: 'x' is not a speed of 0 rpm or more"},
      {Replace(base, "--speed", "0:100:0"), "--speed: '0' is not a COUNT from 1 to 100000"},
      {Replace(base, "--speed", "0:100:100001"),
       "--speed: '100001' is not a COUNT from 1 to 100000"},
      {Replace(base, "--speed", "0:100"), "--speed: '0:100' is not FROM:TO:COUNT"},
      {With(base, {"--teeth-on", "rotor"}),
       "--teeth-on goes with straight seals, not stepped ones"},
      {With(Replace(base, "--type", "straight"), {"--teeth-on", "casing"}),
       "--teeth-on: 'casing' is not stator or rotor"},
      {With(base, {"--viscosity", "0"}), "--viscosity: '0' is not a positive viscosity"},
      {With(base, {"--viscosity", "1", "--viscosity-ref", "1:1,2:2"}),
       "give --viscosity or --viscosity-ref, not both"},
      {With(base, {"--viscosity-ref", "300:0.01"}),
       "--viscosity-ref: '300:0.01' is not T1:MU1,T2:MU2"},
      {With(base, {"--viscosity-ref", "10:0.01,20:-1"}),
       "--viscosity-ref: '10:0.01,20:-1' needs positive viscosities"},
      {With(base, {"--gamma", "1"}), "--gamma: '1' is not above 1"},
      {With(base, {"--gamma", "1.4", "--real-gas"}),
       "--gamma goes with the ideal gas, not with --real-gas"},
      {With(base, {"--json", "--csv"}), "give --csv or --json, not both"},
      {With(base, {"--preswirl", "nan"}), "--preswirl: 'nan' is not a number"},
  };
  for (const Bad& bad : cases) {
    const CliRun r = Cli(bad.args);
    EXPECT_EQ(r.code, 2) << bad.message;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string("torvane-cli: ") + bad.message + "\n");
  }
  std::string many = "0";
  for (int i = 0; i < 100000; ++i) many += ",1";
  const CliRun r = Cli(Replace(base, "--speed", many));
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "torvane-cli: --speed: at most 100000 speeds, not 100001\n");
}

TEST(CliDynamicsTest, GasAndFileFailures) {
  const CliRun gas = Cli(With(Replace(Case(), "--gas", "XX:1"), {"--speed", "8000"}));
  EXPECT_EQ(gas.code, 3);
  EXPECT_EQ(gas.out, "");
  std::vector<std::string> args = With(Case(), {"--speed", "8000"});
  args[1] = "--case";
  args[2] = "/nonexistent/case.trv";
  const CliRun file = Cli(args);
  EXPECT_EQ(file.code, 7);
  EXPECT_EQ(file.out, "");
}

TEST(CliDynamicsTest, FailedSpeedIsARowWithItsStatus) {
  const CliRun one = Cli(With(Replace(Case(), "--teeth", "1"), {"--speed", "8000", "--csv"}));
  ASSERT_EQ(one.code, 0) << one.err;
  EXPECT_EQ(Lines(one.out)[1],
            "8000,8000,error,\"The rotordynamic coefficients need a whole number of teeth, 2 or "
            "more, not 1\",,,,,,,,,,,");
  const CliRun json = Cli(With(Replace(Case(), "--teeth", "1"), {"--speed", "8000", "--json"}));
  EXPECT_EQ(Value(json.out, "status"), "\"ok\"");  // the leakage
  EXPECT_NE(json.out.find("\"status\":\"error\",\"message\":\"The rotordynamic coefficients "
                          "need a whole number of teeth, 2 or more, not 1\",\"kxx\":null,"),
            std::string::npos);
  EXPECT_NE(json.out.find("\"whirl_frequency_ratio\":null,\"cavities\":[]}]}"), std::string::npos);

  const CliRun half = Cli(With(Replace(Case(), "--teeth", "8.5"), {"--speed", "8000", "--json"}));
  ASSERT_EQ(half.code, 0);
  EXPECT_NE(half.out.find("\"leakage\":{\"status\":\"error\",\"message\":\"Tooth by tooth needs "
                          "a whole number of teeth, not 8.5\",\"mass_flow\":null,\"choked\":null}"),
            std::string::npos)
      << half.out;
  // A Sutherland fit that is no viscosity in the cold cavities (b = 1e-6, S = -250 K) names
  // the temperature.
  const CliRun cold = Cli(With(Case(), {"--speed", "8000", "--csv", "--gamma", "1.3",
                                        "--viscosity-ref", "10:0.14373,26.85:0.103923"}));
  ASSERT_EQ(cold.code, 0);
  EXPECT_EQ(Lines(cold.out)[1],
            "8000,8000,error,\"Sutherland's law through the two reference states gives no "
            "viscosity at 247.47 K, the temperature of cavity 12\",,,,,,,,,,,");
}

// The case of sweep: without --teeth and --tooth-height.
std::vector<std::string> SweepCase() {
  std::vector<std::string> args = Case("sweep");
  args.erase(args.begin() + 21, args.end());
  return args;
}

TEST(CliDynamicsSweepTest, SweepAddsTheCoefficientsOfEachPoint) {
  const std::vector<std::string> args = SweepCase();
  const CliRun plain = Cli(With(args, {"--flow-coef", "1", "--vary", "teeth=4:6:3"}));
  ASSERT_EQ(plain.code, 0) << plain.err;
  EXPECT_EQ(Lines(plain.out)[0],
            "teeth,mass_flow (kg/hr),std_flow (Sm3/hr),inlet_flow (m3/hr),exhaust_flow (m3/hr),"
            "status,message,warnings");
  const CliRun r = Cli(With(args, {"--flow-coef", "1", "--vary", "teeth=4:6:3", "--dynamics",
                                   "9000", "--tooth-height", "3.175", "--preswirl", "0.7"}));
  ASSERT_EQ(r.code, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0],
            "teeth,mass_flow (kg/hr),std_flow (Sm3/hr),inlet_flow (m3/hr),exhaust_flow (m3/hr),"
            "gamma,gamma_source,kxx (N/m),kxy (N/m),cxx (N-s/m),cxy (N-s/m),"
            "effective_damping (N-s/m),whirl_frequency_ratio,status,message,warnings");
  for (size_t p = 1; p < lines.size(); ++p) {
    const std::vector<std::string> point = CsvFields(lines[p]);
    const std::string teeth = point[0];
    const CliRun single = Cli(
        With(Replace(Case(), "--teeth", teeth), {"--speed", "9000", "--preswirl", "0.7", "--csv"}));
    const std::vector<std::string> row = CsvFields(Lines(single.out)[1]);
    SCOPED_TRACE(teeth);
    EXPECT_EQ(point[5], RoundTrip(AirGamma()));
    EXPECT_EQ(point[6], "gas");
    EXPECT_EQ(point[7], row[4]);    // kxx
    EXPECT_EQ(point[8], row[5]);    // kxy
    EXPECT_EQ(point[9], row[8]);    // cxx
    EXPECT_EQ(point[10], row[9]);   // cxy
    EXPECT_EQ(point[11], row[13]);  // effective damping
    EXPECT_EQ(point[12], row[14]);  // whirl frequency ratio
  }
  // With --real-gas the coefficients of the real gas, no gamma; the sweep's are dynamics'.
  const CliRun real = Cli(With(args, {"--flow-coef", "1", "--vary", "teeth=16:16:1", "--dynamics",
                                      "9000", "--tooth-height", "3.175", "--real-gas"}));
  ASSERT_EQ(real.code, 0) << real.err;
  const std::vector<std::string> real_point = CsvFields(Lines(real.out)[1]);
  const CliRun real_single = Cli(With(Case(), {"--speed", "9000", "--real-gas", "--csv"}));
  const std::vector<std::string> real_row = CsvFields(Lines(real_single.out)[1]);
  EXPECT_EQ(real_point[5], "");
  EXPECT_EQ(real_point[6], "");
  EXPECT_EQ(real_point[8], real_row[5]);  // kxy
  EXPECT_NE(real_point[8],
            CsvFields(Lines(Cli(With(Case(), {"--speed", "9000", "--csv"})).out)[1])[5]);
  const CliRun json = Cli(With(args, {"--flow-coef", "1", "--vary", "teeth=1:2:2", "--dynamics",
                                      "9000", "--tooth-height", "3.175", "--json"}));
  ASSERT_EQ(json.code, 0) << json.err;
  EXPECT_NE(json.out.find("\"dynamics\":{\"status\":\"error\",\"message\":\"The rotordynamic "
                          "coefficients need a whole number of teeth, 2 or more, not 1\","
                          "\"kxx\":null,\"kxy\":null,\"cxx\":null,\"cxy\":null,"
                          "\"effective_damping\":null,\"whirl_frequency_ratio\":null},"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"dynamics\":{\"status\":\"ok\",\"message\":\"\",\"kxx\":"),
            std::string::npos);
}

TEST(CliDynamicsSweepTest, DynamicsOptionsGoWithDynamics) {
  const std::vector<std::string> no_height =
      With(SweepCase(), {"--flow-coef", "1", "--vary", "teeth=4:6:3"});
  const std::vector<std::string> args = With(no_height, {"--tooth-height", "3.175"});
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {args, "--tooth-height goes with --dynamics"},
      {With(no_height, {"--jenny-kanki"}), "--jenny-kanki goes with --dynamics"},
      {With(args, {"--dynamics", "1,2"}), "--dynamics: '1,2' is not one speed in rpm"},
      {With(no_height, {"--dynamics", "10"}), "missing option --tooth-height"},
  };
  for (const auto& [bad, message] : cases) {
    const CliRun r = Cli(bad);
    EXPECT_EQ(r.code, 2) << message;
    EXPECT_EQ(r.err, std::string("torvane-cli: ") + message + "\n");
  }
}

TEST(CliDynamicsSweepTest, BatchAddsTheCoefficientsOfALine) {
  const std::string line =
      "{\"gas\":\"AIR:1\",\"units\":\"si\",\"type\":\"stepped\",\"diameter\":145,"
      "\"clearance\":0.3,\"pressure-up\":3.08,\"pressure-down\":0.943,\"temperature-up\":10,"
      "\"thickness\":0.1524,\"spacing\":3.175,\"teeth\":16,\"flow-coef\":1";
  const std::string answer =
      BatchAnswer(line + ",\"dynamics\":8000,\"tooth-height\":3.175,\"jenny-kanki\":0}", 1);
  const SpeedAnswer a = LibraryAnswer(8000);
  EXPECT_NE(
      answer.find(
          "\"gamma\":" + RoundTrip(AirGamma()) +
          ",\"gamma_source\":\"gas\",\"dynamics\":{\"status\":\"ok\",\"message\":\"\",\"kxx\":" +
          RoundTrip(a.coefficients.kxx) + ",\"kxy\":" + RoundTrip(a.coefficients.kxy) +
          ",\"cxx\":" + RoundTrip(a.coefficients.cxx) +
          ",\"cxy\":" + RoundTrip(a.coefficients.cxy) +
          ",\"effective_damping\":" + RoundTrip(*a.effective_damping) +
          ",\"whirl_frequency_ratio\":" + RoundTrip(*a.whirl_frequency_ratio) + "}}"),
      std::string::npos)
      << answer;
  EXPECT_EQ(BatchAnswer(line + "}", 2).find("dynamics"), std::string::npos);
  EXPECT_EQ(BatchAnswer(line + "}", 2).find("gamma"), std::string::npos);
  DynamicsOptions given;
  given.gamma = 1.3;
  const std::string at_13 =
      BatchAnswer(line + ",\"dynamics\":8000,\"tooth-height\":3.175,\"gamma\":1.3}", 5);
  EXPECT_NE(at_13.find("\"gamma\":1.3,\"gamma_source\":\"given\",\"dynamics\":{\"status\":\"ok\","
                       "\"message\":\"\",\"kxx\":" +
                       RoundTrip(LibraryAnswer(8000, given).coefficients.kxx) + ","),
            std::string::npos)
      << at_13;
  DynamicsOptions real_gas;
  real_gas.real_gas = true;
  const std::string real =
      BatchAnswer(line + ",\"dynamics\":8000,\"tooth-height\":3.175,\"real-gas\":1}", 6);
  EXPECT_NE(real.find("\"gamma\":null,\"gamma_source\":null,\"dynamics\":{\"status\":\"ok\","
                      "\"message\":\"\",\"kxx\":" +
                      RoundTrip(LibraryAnswer(8000, real_gas).coefficients.kxx) + ","),
            std::string::npos)
      << real;
  EXPECT_NE(BatchAnswer(line + ",\"real-gas\":1}", 7)
                .find("\"message\":\"line 7: \\\"real-gas\\\" goes with \\\"dynamics\\\"\""),
            std::string::npos);
  EXPECT_NE(BatchAnswer(line + ",\"dynamics\":8000,\"tooth-height\":3.175,\"gamma\":1.3,"
                               "\"real-gas\":1}",
                        8)
                .find("\"message\":\"line 8: \\\"gamma\\\" goes with the ideal gas, not with "
                      "\\\"real-gas\\\"\""),
            std::string::npos);
  const std::string bad = BatchAnswer(line + ",\"dynamics\":8000,\"jenny-kanki\":2}", 3);
  EXPECT_NE(bad.find("\"status\":\"usage\",\"message\":\"line 3: \\\"jenny-kanki\\\": '2' is "
                     "not 1 or 0\""),
            std::string::npos)
      << bad;
  const std::string stray = BatchAnswer(line + ",\"preswirl\":0.5}", 4);
  EXPECT_NE(stray.find("\"message\":\"line 4: \\\"preswirl\\\" goes with \\\"dynamics\\\"\""),
            std::string::npos)
      << stray;
}

}  // namespace
}  // namespace torvane::cli
