// torvane-cli compare: the answer's fields and their order, the correlation's failures beside
// the methods, and the exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "engine/gas_mixture.h"
#include "support/english_case.h"
#include "thermo/ideal_gas_heat.h"
#include "units/number_format.h"

namespace torvane::cli {
namespace {

using testing::Cli;
using testing::CliRun;

// The English case of `leak`: 6 in stepped seal, 0.012 in, 500 -> 100 psia, 100 deg F,
// 8 teeth of 0.02 in at 0.125 in.
std::vector<std::string> Case(const std::string& command = "compare") {
  LabyInputs in = testing::EnglishStraightCase();
  in.laby_type = 0;
  std::vector<std::string> args = {command, "--gas", "CH4:1"};
  for (const std::string& a : testing::CaseArguments(in)) args.push_back(a);
  args.push_back("--json");
  return args;
}

std::vector<std::string> With(std::vector<std::string> args, const std::string& flag,
                              const std::string& value = "") {
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == flag) {
      args[i + 1] = value;
      return args;
    }
  }
  args.push_back(flag);
  if (!value.empty()) args.push_back(value);
  return args;
}

// The text of one method's object in the answer.
std::string MethodObject(const std::string& json, const std::string& key) {
  const size_t at = json.find("{\"method\":\"" + key + "\"");
  if (at == std::string::npos) return "";
  return json.substr(at, json.find('}', at) - at + 1);
}

// The value text of a key inside an object's text.
std::string Value(const std::string& object, const std::string& key) {
  const std::string quoted = "\"" + key + "\":";
  const size_t at = object.find(quoted);
  if (at == std::string::npos) return "<missing>";
  const size_t from = at + quoted.size();
  size_t to = from;
  int depth = 0;
  for (; to < object.size(); ++to) {
    const char c = object[to];
    if (c == '[' || c == '{') ++depth;
    if (c == ']' || c == '}') {
      if (depth == 0) break;
      --depth;
    }
    if (c == ',' && depth == 0 && object[from] != '"') break;
    if (c == '"' && to > from && object[from] == '"' && object[to - 1] != '\\') {
      ++to;
      break;
    }
  }
  return object.substr(from, to - from);
}

// Methane's cp0/cv0 at the case's 100 deg F.
double MethaneGamma() {
  return IdealGasGamma(CharacteriseGas(std::vector<GasComponentSlot>{{1, 1.0}}), 559.67);
}

TEST(CliCompareTest, AnswerHoldsTheCorrelationAndTheThreeMethodsInOrder) {
  const CliRun r = Cli(Case());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const CliRun leak = Cli(Case("leak"));
  EXPECT_EQ(r.out.rfind(
                "{\"units\":{\"mass_flow\":\"lb/min\",\"volume_flow\":\"ft3/min\","
                "\"length\":\"in\",\"pressure\":\"psia\",\"temperature\":\"deg F\"},"
                "\"gamma\":" +
                    RoundTrip(MethaneGamma()) +
                    ",\"gamma_source\":\"gas\",\"real_gas\":false,\"legacy\":{\"status\":\"ok\","
                    "\"messages\":[],\"warnings\":[],\"mass_flow\":" +
                    Value(leak.out, "mass_flow") + ",\"std_flow\":" + Value(leak.out, "std_flow") +
                    ",\"inlet_flow\":" + Value(leak.out, "inlet_flow") + ",\"exhaust_flow\":" +
                    Value(leak.out, "exhaust_flow") + "},\"methods\":[{\"method\":\"martin\",",
                0),
            0u)
      << r.out;

  const std::string martin = MethodObject(r.out, "martin");
  const std::string vermes = MethodObject(r.out, "vermes");
  const std::string tooth = MethodObject(r.out, "tooth-by-tooth");
  EXPECT_LT(r.out.find(martin), r.out.find(vermes));
  EXPECT_LT(r.out.find(vermes), r.out.find(tooth));
  EXPECT_EQ(r.out.substr(r.out.size() - 5), "]}]}\n");
  // Keys in their order.
  EXPECT_EQ(
      martin.rfind("{\"method\":\"martin\",\"status\":\"ok\",\"message\":\"\",\"mass_flow\":", 0),
      0u)
      << martin;
  for (const std::string& m : {martin, vermes, tooth}) {
    EXPECT_LT(m.find("\"mass_flow\""), m.find("\"ratio_to_legacy\""));
    EXPECT_LT(m.find("\"ratio_to_legacy\""), m.find("\"choked\""));
    EXPECT_LT(m.find("\"choked\""), m.find("\"critical_ratio\""));
  }
  EXPECT_EQ(Value(martin, "discharge_coefficient"), "<missing>");
  EXPECT_NE(Value(vermes, "discharge_coefficient"), "<missing>");
  EXPECT_EQ(Value(vermes, "carry_over"), "0");  // stepped: interlocking, no carry-over
  EXPECT_LT(vermes.find("\"critical_ratio\""), vermes.find("\"discharge_coefficient\""));
  EXPECT_LT(vermes.find("\"discharge_coefficient\""), vermes.find("\"carry_over\""));

  // 100/500 lies below the choke ratio of 8 teeth: every method chokes.
  EXPECT_EQ(Value(martin, "choked"), "true");
  EXPECT_EQ(Value(tooth, "choked"), "true");
  EXPECT_EQ(Value(tooth, "choked_throttle"), "8");
  const std::string pressures = Value(tooth, "cavity_pressures");
  EXPECT_EQ(pressures.rfind("[500,", 0), 0u) << pressures;
  EXPECT_EQ(std::count(pressures.begin(), pressures.end(), ','), 8);
  const std::string temperatures = Value(tooth, "cavity_temperatures");
  EXPECT_EQ(temperatures.rfind("[100,", 0), 0u) << temperatures;
  EXPECT_EQ(std::count(temperatures.begin(), temperatures.end(), ','), 8);

  const double legacy = std::stod(Value(leak.out, "mass_flow"));
  EXPECT_NEAR(std::stod(Value(tooth, "ratio_to_legacy")),
              std::stod(Value(tooth, "mass_flow")) / legacy, 1e-15);
}

TEST(CliCompareTest, CorrelationFailureDoesNotStopTheMethods) {
  CliRun r = Cli(With(Case(), "--teeth", "60"));
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(r.err, "torvane-cli: Maximum number of teeth is 50\n");
  EXPECT_NE(r.out.find("\"legacy\":{\"status\":\"range\",\"messages\":[\"Maximum number of "
                       "teeth is 50\"],\"warnings\":[],\"mass_flow\":null,\"std_flow\":null,"
                       "\"inlet_flow\":null,\"exhaust_flow\":null}"),
            std::string::npos)
      << r.out;
  for (const char* key : {"martin", "vermes", "tooth-by-tooth"}) {
    const std::string m = MethodObject(r.out, key);
    EXPECT_EQ(Value(m, "status"), "\"ok\"") << key;
    EXPECT_EQ(Value(m, "ratio_to_legacy"), "null") << key;
    EXPECT_NE(Value(m, "mass_flow"), "null") << key;
  }

  r = Cli(With(Case(), "--pressure-down", "600"));
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(r.err, "torvane-cli: Downstream pressure is too high\n");
  EXPECT_NE(r.out.find("\"legacy\":{\"status\":\"stop\","), std::string::npos);
  const std::string tooth = MethodObject(r.out, "tooth-by-tooth");
  EXPECT_EQ(tooth,
            "{\"method\":\"tooth-by-tooth\",\"status\":\"error\",\"message\":\"The downstream "
            "pressure is above the upstream pressure\",\"mass_flow\":null,"
            "\"ratio_to_legacy\":null,\"choked\":null,\"critical_ratio\":null,"
            "\"choked_throttle\":null,\"cavity_pressures\":[],\"cavity_temperatures\":[]}");

  r = Cli(With(Case(), "--teeth", "4.322"));  // the correlation's pole
  ASSERT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("\"legacy\":{\"status\":\"error\",\"messages\":[\"Calculation error, "
                       "recheck input and try again\"]"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(Value(MethodObject(r.out, "martin"), "status"), "\"ok\"");
  const std::string whole = MethodObject(r.out, "tooth-by-tooth");
  EXPECT_EQ(Value(whole, "message"), "\"Tooth by tooth needs a whole number of teeth, not 4.322\"");
}

// The example case with a clearance of 0.001 in has teeth 15 clearances thick, beyond the range
// of Vermes' discharge coefficient: Martin-Vermes and tooth by tooth say so, Martin answers.
TEST(CliCompareTest, AToothRatioBeyondVermesFitFailsTheVermesMethodsOnly) {
  const std::string example = std::string(TORVANE_EXAMPLES_DIR) + "/natural-gas.trv";
  const CliRun r = Cli({"compare", "--case", example, "--clearance", "0.001", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("\"legacy\":{\"status\":\"ok\","), std::string::npos) << r.out;
  const std::string martin = MethodObject(r.out, "martin");
  EXPECT_EQ(Value(martin, "status"), "\"ok\"");
  EXPECT_NEAR(std::stod(Value(martin, "mass_flow")), 8.928, 5e-4);
  const std::string message =
      "Vermes' discharge coefficient is used for t/c up to 7.1, not for t/c = 15: the method "
      "does not apply";
  EXPECT_EQ(MethodObject(r.out, "vermes"),
            "{\"method\":\"vermes\",\"status\":\"error\",\"message\":\"" + message +
                "\",\"mass_flow\":null,\"ratio_to_legacy\":null,\"choked\":null,"
                "\"critical_ratio\":null,\"discharge_coefficient\":null,\"carry_over\":null}");
  EXPECT_EQ(MethodObject(r.out, "tooth-by-tooth"),
            "{\"method\":\"tooth-by-tooth\",\"status\":\"error\",\"message\":\"" + message +
                "\",\"mass_flow\":null,\"ratio_to_legacy\":null,\"choked\":null,"
                "\"critical_ratio\":null,\"choked_throttle\":null,\"cavity_pressures\":[],"
                "\"cavity_temperatures\":[]}");
  // At the stored clearance (t/c = 1.25) all three answer.
  const CliRun stored = Cli({"compare", "--case", example, "--json"});
  for (const char* key : {"martin", "vermes", "tooth-by-tooth"}) {
    EXPECT_EQ(Value(MethodObject(stored.out, key), "status"), "\"ok\"") << key;
  }
}

TEST(CliCompareTest, GammaAndRealGas) {
  const CliRun base = Cli(Case());
  const CliRun air = Cli(With(Case(), "--gamma", "1.4"));
  ASSERT_EQ(air.code, 0);
  EXPECT_NE(air.out.find("\"gamma\":1.4,\"gamma_source\":\"given\",\"real_gas\":false,"),
            std::string::npos);
  EXPECT_EQ(MethodObject(air.out, "martin"), MethodObject(base.out, "martin"));
  EXPECT_NE(MethodObject(air.out, "tooth-by-tooth"), MethodObject(base.out, "tooth-by-tooth"));

  const CliRun real = Cli(With(Case(), "--real-gas"));
  ASSERT_EQ(real.code, 0);
  EXPECT_NE(real.out.find("\"gamma\":" + RoundTrip(MethaneGamma()) +
                          ",\"gamma_source\":\"gas\",\"real_gas\":true,"),
            std::string::npos);
  // The gas's gamma is the tooth by tooth's of that gamma given.
  const CliRun given = Cli(With(Case(), "--gamma", RoundTrip(MethaneGamma())));
  EXPECT_EQ(MethodObject(given.out, "tooth-by-tooth"), MethodObject(base.out, "tooth-by-tooth"));
  // Methane at 500 psia and 100 deg F has Z below 1: the one-shot methods leak more.
  EXPECT_GT(std::stod(Value(MethodObject(real.out, "martin"), "mass_flow")),
            std::stod(Value(MethodObject(base.out, "martin"), "mass_flow")));
  EXPECT_EQ(MethodObject(real.out, "tooth-by-tooth"), MethodObject(base.out, "tooth-by-tooth"));
}

TEST(CliCompareTest, TextAnswerIsTheTable) {
  std::vector<std::string> args = Case();
  args.pop_back();  // no --json
  const CliRun r = Cli(args);
  ASSERT_EQ(r.code, 0);
  std::istringstream lines(r.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "Gamma (cp/cv) 1.297 from the gas, ideal gas");
  std::getline(lines, line);
  EXPECT_EQ(line.rfind("Method               Leakage (lb/min)  Ratio to correlation  Choked", 0),
            0u)
      << line;
  std::getline(lines, line);
  EXPECT_EQ(line.rfind("Program correlation  39.362            1.000", 0), 0u) << line;
  for (const char* name : {"Martin ", "Martin-Vermes ", "Tooth by tooth "}) {
    std::getline(lines, line);
    EXPECT_EQ(line.rfind(name, 0), 0u) << line;
  }
  EXPECT_FALSE(std::getline(lines, line));
}

TEST(CliCompareTest, ExitCodesAsForLeak) {
  CliRun r = Cli(With(Case(), "--gamma", "1"));
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "torvane-cli: --gamma: '1' is not above 1\n");
  EXPECT_EQ(r.out, "");
  r = Cli(With(Case(), "--gamma", "x"));
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "torvane-cli: --gamma: 'x' is not a number\n");
  r = Cli(With(Case(), "--real-gas", "yes"));
  EXPECT_EQ(r.code, 2);
  r = Cli(With(Case(), "--type", ""));
  EXPECT_EQ(r.code, 2);
  r = Cli({"compare", "--gas", "CH4:1", "--json"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "torvane-cli: missing option --type\n");

  r = Cli(With(Case(), "--gas", "XYZ:1"));
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "torvane-cli: Gas XYZ is not in library\n");
  EXPECT_EQ(r.out, "");

  std::vector<std::string> from_file = {"compare", "--case", "/nonexistent/case.trv", "--json"};
  r = Cli(from_file);
  EXPECT_EQ(r.code, 7);
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace torvane::cli
