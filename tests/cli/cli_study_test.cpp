// torvane-cli sweep and batch: every answer equals what `leak` answers for the same case.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/batch_command.h"
#include "cli/cli_app.h"
#include "cli/cli_test_support.h"
#include "cli/json_reader.h"
#include "support/english_case.h"
#include "support/process_run.h"

namespace torvane::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::CsvFields;
using testing::Lines;
using testing::RunShell;

CliRun Batch(const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  int code;
  try {
    code = BatchCommand(args, in, out);
  } catch (...) {
    code = -1;
  }
  return {code, out.str(), err.str()};
}

// The stepped case, methane: 6 in seal, 0.012 in clearance, 500 -> 100 psia, 100 deg F, 8 teeth.
const std::vector<std::string> kCase = [] {
  LabyInputs in = testing::EnglishStraightCase();
  in.laby_type = 0;
  std::vector<std::string> args = {"--gas", "CH4:1"};
  for (const std::string& a : testing::CaseArguments(in)) args.push_back(a);
  return args;
}();

std::vector<std::string> Without(std::vector<std::string> args, const std::string& option) {
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == option) {
      args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
      break;
    }
  }
  return args;
}

std::vector<std::string> With(const std::string& command, std::vector<std::string> args,
                              const std::vector<std::string>& more) {
  args.insert(args.begin(), command);
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// The value of "key": in a flat JSON answer, up to the next comma or brace.
std::string JsonField(const std::string& json, const std::string& key) {
  const std::string tag = "\"" + key + "\":";
  const size_t start = json.find(tag);
  if (start == std::string::npos) return "(none)";
  const size_t from = start + tag.size();
  return json.substr(from, json.find_first_of(",}", from) - from);
}

TEST(CliSweepTest, EveryRowIsWhatLeakAnswersForThatPoint) {
  // Diameter 100 in fails its check, downstream 0 psia is a calculation error, 600 psia stops:
  // failures between calculated points.
  const CliRun sweep = Cli(With("sweep", Without(Without(kCase, "--diameter"), "--pressure-down"),
                                {"--vary", "diameter=80:100:3", "--vary=pressure-down=0:600:4"}));
  ASSERT_EQ(sweep.code, 0) << sweep.err;
  EXPECT_EQ(sweep.err, "");
  const std::vector<std::string> rows = Lines(sweep.out);
  ASSERT_EQ(rows.size(), 13u);
  EXPECT_EQ(rows[0],
            "diameter (in),pressure-down (psia),mass_flow (lb/min),std_flow (SCFM),"
            "inlet_flow (ft3/min),exhaust_flow (ft3/min),status,message,warnings");
  std::string statuses;
  for (size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string> f = CsvFields(rows[r]);
    ASSERT_EQ(f.size(), 9u) << rows[r];
    statuses += f[6] + " ";
    const std::vector<std::string> leak =
        With("leak", Without(Without(kCase, "--diameter"), "--pressure-down"),
             {"--diameter", f[0], "--pressure-down", f[1], "--json"});
    const CliRun single = Cli(leak);
    SCOPED_TRACE(rows[r]);
    if (f[6] == "ok") {
      ASSERT_EQ(single.code, 0);
      EXPECT_EQ(f[2], JsonField(single.out, "mass_flow"));
      EXPECT_EQ(f[3], JsonField(single.out, "std_flow"));
      EXPECT_EQ(f[4], JsonField(single.out, "inlet_flow"));
      EXPECT_EQ(f[5], JsonField(single.out, "exhaust_flow"));
      EXPECT_EQ(f[7] + f[8], "");
    } else {
      EXPECT_EQ(single.code, f[6] == "range" ? 4 : f[6] == "stop" ? 5 : 6);
      EXPECT_EQ(f[2] + f[3] + f[4] + f[5], "");
      EXPECT_EQ(single.err, "torvane-cli: " + f[7] + "\n");
    }
  }
  EXPECT_EQ(statuses, "error ok ok stop error ok ok stop range range range range ");
  EXPECT_EQ(rows[12], "100,600,,,,,range,Maximum allowable diameter is 90 in,");
}

TEST(CliSweepTest, WarningsAndUnitsFollowTheLeakAnswer) {
  // SI units: 6 mm is below the smallest seal; at 150 mm a clearance of 5.5 mm warns twice.
  const std::vector<std::string> si = {"--gas",
                                       "CH4:1",
                                       "--type",
                                       "stepped",
                                       "--units",
                                       "si",
                                       "--diameter",
                                       "6",
                                       "--pressure-up",
                                       "34.5",
                                       "--pressure-down",
                                       "6.9",
                                       "--temperature-up",
                                       "40",
                                       "--thickness",
                                       "0.5",
                                       "--spacing",
                                       "3",
                                       "--teeth",
                                       "8",
                                       "--flow-coef",
                                       "0.67"};
  const CliRun sweep = Cli(With("sweep", si, {"--vary", "clearance=0.5:5.5:2", "--json"}));
  ASSERT_EQ(sweep.code, 0) << sweep.err;
  const std::vector<std::string> lines = Lines(sweep.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0],
            "{\"units\":{\"mass_flow\":\"kg/hr\",\"volume_flow\":\"m3/hr\",\"length\":\"mm\","
            "\"pressure\":\"Bar a\",\"temperature\":\"deg C\"},\"std_flow_unit\":\"Sm3/hr\","
            "\"points\":[");
  EXPECT_EQ(lines[1],
            "{\"clearance\":0.5,\"mass_flow\":null,\"std_flow\":null,\"inlet_flow\":null,"
            "\"exhaust_flow\":null,\"status\":\"range\",\"message\":\"Minimum allowable diameter "
            "is 25 mm\",\"warnings\":[]},");
  EXPECT_EQ(lines[3], "]}");
  const CliRun small = Cli(With("leak", si, {"--clearance", "0.5", "--json"}));
  EXPECT_EQ(small.code, 4);
  EXPECT_EQ(small.err, "torvane-cli: Minimum allowable diameter is 25 mm\n");

  const auto at150 = [&](const std::string& command, std::vector<std::string> more) {
    std::vector<std::string> args = Without(si, "--diameter");
    args.insert(args.end(), {"--diameter", "150"});
    return Cli(With(command, args, more));
  };
  const CliRun csv = at150("sweep", {"--vary", "clearance=0.5:5.5:2", "--csv"});
  ASSERT_EQ(csv.code, 0) << csv.err;
  const std::vector<std::string> rows = Lines(csv.out);
  ASSERT_EQ(rows.size(), 3u);
  const CliRun single = at150("leak", {"--clearance", "5.5", "--json"});
  ASSERT_EQ(single.code, 0) << single.err;
  const std::vector<std::string> f = CsvFields(rows[2]);
  ASSERT_EQ(f.size(), 8u);
  EXPECT_EQ(f[1], JsonField(single.out, "mass_flow"));
  EXPECT_EQ(f[2], JsonField(single.out, "std_flow"));
  EXPECT_EQ(f[3], JsonField(single.out, "inlet_flow"));
  EXPECT_EQ(f[4], JsonField(single.out, "exhaust_flow"));
  EXPECT_EQ(f[5], "ok");
  EXPECT_EQ(f[7],
            "Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not be "
            "accurate. | Warning: Radial clearance exceeds suggested value of, 5. Calculations may "
            "not be accurate");
  EXPECT_NE(single.out.find("\"warnings\":[\"Warning: Ratio of radial clearance to tooth spacing "
                            "exceeds 0.12, results may not be accurate.\",\"Warning: Radial "
                            "clearance exceeds suggested value of, 5. Calculations may not be "
                            "accurate\"]"),
            std::string::npos);
}

TEST(CliSweepTest, TheCaseFileGivesTheOtherInputs) {
  const std::string trv = std::string(TORVANE_EXAMPLES_DIR) + "/natural-gas.trv";
  const CliRun sweep = Cli({"sweep", "--case", trv, "--vary", "teeth=12:12:1"});
  ASSERT_EQ(sweep.code, 0) << sweep.err;
  const CliRun leak = Cli({"leak", "--case", trv, "--json"});
  const std::vector<std::string> f = CsvFields(Lines(sweep.out).at(1));
  EXPECT_EQ(f[0], "12");
  EXPECT_EQ(f[1], JsonField(leak.out, "mass_flow"));
  EXPECT_EQ(f[4], JsonField(leak.out, "exhaust_flow"));
}

TEST(CliSweepTest, MalformedVaryIsAUsageFailure) {
  const auto failure = [](std::vector<std::string> more) {
    const CliRun r = Cli(With("sweep", Without(kCase, "--teeth"), more));
    EXPECT_EQ(r.code, 2) << r.out;
    EXPECT_EQ(r.out, "");
    return r.err;
  };
  EXPECT_EQ(failure({}), "torvane-cli: missing option --vary NAME=FROM:TO:COUNT\n");
  EXPECT_EQ(failure({"--vary", "teeth"}),
            "torvane-cli: --vary: 'teeth' is not NAME=FROM:TO:COUNT\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9"}),
            "torvane-cli: --vary: 'teeth=2:9' is not NAME=FROM:TO:COUNT\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9:x"}),
            "torvane-cli: --vary: teeth: COUNT 'x' is not a whole number from 1 to 10000000\n");
  EXPECT_EQ(failure({"--vary", "teeth=two:9:3"}),
            "torvane-cli: --vary: teeth: FROM 'two' is not a number\n");
  EXPECT_EQ(failure({"--vary", "tooth=2:9:3"}),
            "torvane-cli: --vary: 'tooth' is not an input that can be varied (diameter, "
            "clearance, pressure-up, pressure-down, temperature-up, thickness, spacing, teeth, "
            "flow-coef)\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9:3", "--vary", "teeth=2:9:3"}),
            "torvane-cli: --vary: teeth is varied twice\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9:4000", "--vary", "clearance=0.01:0.02:4000"}),
            "torvane-cli: --vary: a sweep has at most 10000000 points, not 16000000\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9:3", "--vary", "clearance=0:1:2", "--vary",
                     "spacing=0.1:0.2:2"}),
            "torvane-cli: --vary: a sweep varies one or two inputs, not 3\n");
  EXPECT_EQ(failure({"--vary"}), "torvane-cli: option --vary needs a value\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9:3", "--teeth", "8"}),
            "torvane-cli: --teeth and --vary teeth: give one of them\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9:3", "--csv", "--json"}),
            "torvane-cli: give --csv or --json, not both\n");
}

// The mass flow of one method in a compare answer: a number, or null when it failed.
std::string MethodFlow(const std::string& compare_json, const std::string& key) {
  const size_t at = compare_json.find("{\"method\":\"" + key + "\"");
  if (at == std::string::npos) return "(no " + key + ")";
  return JsonField(compare_json.substr(at), "mass_flow");
}

TEST(CliSweepTest, MethodsPerPointAreWhatCompareAnswers) {
  // Diameter 100 in fails the correlation's check but not the methods'; 7.5 teeth fail tooth
  // by tooth only.
  const std::vector<std::string> base = Without(Without(kCase, "--diameter"), "--teeth");
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{}, std::vector<std::string>{"--gamma", "1.25", "--real-gas"}}) {
    std::vector<std::string> more = {"--vary", "diameter=6:100:2", "--vary", "teeth=7.5:8:2",
                                     "--methods"};
    more.insert(more.end(), options.begin(), options.end());
    const CliRun sweep = Cli(With("sweep", base, more));
    ASSERT_EQ(sweep.code, 0) << sweep.err;
    EXPECT_EQ(sweep.err, "");
    const std::vector<std::string> rows = Lines(sweep.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0],
              "diameter (in),teeth,mass_flow (lb/min),std_flow (SCFM),inlet_flow (ft3/min),"
              "exhaust_flow (ft3/min),gamma,gamma_source,martin (lb/min),vermes (lb/min),"
              "tooth_by_tooth (lb/min),status,message,warnings");
    std::string shape;
    for (size_t r = 1; r < rows.size(); ++r) {
      SCOPED_TRACE(rows[r]);
      const std::vector<std::string> f = CsvFields(rows[r]);
      ASSERT_EQ(f.size(), 14u);
      std::vector<std::string> single = {"--diameter", f[0], "--teeth", f[1], "--json"};
      single.insert(single.end(), options.begin(), options.end());
      const CliRun compare = Cli(With("compare", base, single));
      ASSERT_EQ(compare.code, 0) << compare.err;
      EXPECT_EQ(f[6], JsonField(compare.out, "gamma"));
      EXPECT_EQ("\"" + f[7] + "\"", JsonField(compare.out, "gamma_source"));
      const std::string methods[] = {"martin", "vermes", "tooth-by-tooth"};
      for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(f[8 + k].empty() ? "null" : f[8 + k], MethodFlow(compare.out, methods[k]));
        shape += f[8 + k].empty() ? "-" : "+";
      }
      const std::string legacy = compare.out.substr(compare.out.find("\"legacy\""));
      EXPECT_EQ(f[2].empty() ? "null" : f[2], JsonField(legacy, "mass_flow"));
      shape += f[11] + " ";
    }
    EXPECT_EQ(shape, "++-ok +++ok ++-range +++range ");
  }

  // The same in JSON: a failed method is null.
  const CliRun json = Cli(
      With("sweep", base,
           {"--diameter", "100", "--vary", "teeth=7.5:8:2", "--methods", "--real-gas", "--json"}));
  ASSERT_EQ(json.code, 0) << json.err;
  const std::vector<std::string> lines = Lines(json.out);
  ASSERT_EQ(lines.size(), 4u);
  const CliRun compare =
      Cli(With("compare", base, {"--diameter", "100", "--teeth", "7.5", "--real-gas", "--json"}));
  EXPECT_EQ(
      lines[1],
      "{\"teeth\":7.5,\"mass_flow\":null,\"std_flow\":null,\"inlet_flow\":null,"
      "\"exhaust_flow\":null,\"gamma\":" +
          JsonField(compare.out, "gamma") + ",\"gamma_source\":\"gas\",\"methods\":{\"martin\":" +
          MethodFlow(compare.out, "martin") + ",\"vermes\":" + MethodFlow(compare.out, "vermes") +
          ",\"tooth-by-tooth\":null},\"status\":\"range\",\"message\":"
          "\"Maximum allowable diameter is 90 in\",\"warnings\":[]},");
}

// Teeth 0.084 to 0.087 in over a 0.012 in clearance: t/c from 7 to 7.25 crosses the end of
// Vermes' discharge coefficient at 7.1, where Martin-Vermes and tooth by tooth stop answering,
// as compare does; the correlation and Martin go on.
TEST(CliSweepTest, TheVermesMethodsStopAtTheEndOfTheirFit) {
  const std::vector<std::string> base = Without(kCase, "--thickness");
  const CliRun sweep = Cli(With("sweep", base, {"--vary", "thickness=0.084:0.087:4", "--methods"}));
  ASSERT_EQ(sweep.code, 0) << sweep.err;
  const std::vector<std::string> rows = Lines(sweep.out);
  ASSERT_EQ(rows.size(), 5u);
  std::string shape;
  for (size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string> f = CsvFields(rows[r]);
    ASSERT_EQ(f.size(), 13u) << rows[r];
    const CliRun compare = Cli(With("compare", base, {"--thickness", f[0], "--json"}));
    EXPECT_EQ(f[8].empty() ? "null" : f[8], MethodFlow(compare.out, "vermes"));
    EXPECT_EQ(f[9].empty() ? "null" : f[9], MethodFlow(compare.out, "tooth-by-tooth"));
    shape += f[0] + (f[7].empty() ? "-" : "+") + (f[8].empty() ? "-" : "+") +
             (f[9].empty() ? "-" : "+") + f[10] + " ";
  }
  EXPECT_EQ(shape, "0.084+++ok 0.085+++ok 0.086+--ok 0.087+--ok ");
}

TEST(CliSweepTest, GammaAndRealGasGoWithMethodsOrDynamics) {
  const auto failure = [](std::vector<std::string> more) {
    const CliRun r = Cli(With("sweep", Without(kCase, "--teeth"), more));
    EXPECT_EQ(r.code, 2) << r.out;
    EXPECT_EQ(r.out, "");
    return r.err;
  };
  EXPECT_EQ(failure({"--vary", "teeth=2:9:3", "--gamma", "1.4"}),
            "torvane-cli: --gamma goes with --methods or --dynamics\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9:3", "--real-gas", "--json"}),
            "torvane-cli: --real-gas goes with --methods or --dynamics\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9:3", "--methods", "--gamma", "1"}),
            "torvane-cli: --gamma: '1' is not above 1\n");
  EXPECT_EQ(failure({"--vary", "teeth=2:9:3", "--methods", "--gamma", "x"}),
            "torvane-cli: --gamma: 'x' is not a number\n");
}

// A stream whose every write fails, as standard output on a full disk.
class FullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(CliSweepTest, AnAnswerThatCannotBeWrittenIsAFileFailure) {
  FullBuffer full;
  std::ostream out(&full);
  std::ostringstream err;
  EXPECT_EQ(RunCli(With("sweep", Without(kCase, "--teeth"), {"--vary", "teeth=2:9:3"}), out, err),
            7);
  EXPECT_EQ(err.str(), "torvane-cli: standard output could not be written\n");

  // The calculator itself, writing to a full device.
  const std::string command = std::string(TORVANE_CLI_PATH) +
                              " sweep --gas CH4:1 --type stepped --diameter 6 --pressure-up 500"
                              " --pressure-down 100 --temperature-up 100 --thickness 0.02"
                              " --spacing 0.125 --teeth 8 --flow-coef 0.67"
                              " --vary clearance=0.001:0.02:100000 2>&1 >/dev/full";
  const testing::ProcessRun run = RunShell(command);
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output, "torvane-cli: standard output could not be written: the disk is full\n");
}

std::string JsonLine(const std::vector<std::string>& args) {
  std::string line = "{";
  for (size_t i = 0; i + 1 < args.size(); i += 2) {
    if (i > 0) line += ',';
    line += "\"" + args[i].substr(2) + "\":\"" + args[i + 1] + "\"";
  }
  return line + "}";
}

TEST(CliBatchTest, EachLineAnswersAsLeakDoesInTheOrderOfTheInput) {
  std::vector<std::string> warned = Without(kCase, "--clearance");
  warned.insert(warned.end(), {"--clearance", "0.3"});
  std::vector<std::string> stopped = Without(kCase, "--pressure-down");
  stopped.insert(stopped.end(), {"--pressure-down", "600"});
  const std::string input =
      JsonLine(kCase) + "\n" +
      "{\"gas\":\"CH4:1\",\"type\":\"stepped\",\"diameter\":6,\"clearance\":0.012,"
      "\"pressure-up\":5e2,\"pressure-down\":100,\"temperature-up\":100,\"thickness\":0.02,"
      "\"spacing\":0.125,\"teeth\":8,\"flow-coef\":0.67}\r\n" +
      "   \n" + JsonLine(warned) + "\n" + JsonLine(stopped) + "\n" +
      "{\"gas\":\"CH4:1\",\"teeth\":8}\n" + "{\"gas\":\"XYZ:1\"," + JsonLine(kCase).substr(15) +
      "\n" + "[1,2]\n" + "{\"gas\":\"CH4:1\",\"colour\":\"red\"}\n" +
      "{\"gas\":\"CH4:1\",\"teeth\":null}\n" + "{\"gas\":\"CH4:1\",\"gas\":\"N2:1\"}\n" +
      JsonLine(kCase);
  const CliRun batch = Batch({}, input);
  ASSERT_EQ(batch.code, 0);
  const std::vector<std::string> out = Lines(batch.out);
  ASSERT_EQ(out.size(), 11u) << batch.out;

  const auto leak = [](std::vector<std::string> args) {
    return Cli(With("leak", std::move(args), {"--json"})).out;
  };
  const std::string ok = leak(kCase);
  EXPECT_EQ(out[0], "{\"line\":1," + ok.substr(1, ok.size() - 2));
  EXPECT_EQ(out[1], "{\"line\":2," + ok.substr(1, ok.size() - 2));
  const std::string w = leak(warned);
  EXPECT_EQ(out[2], "{\"line\":4," + w.substr(1, w.size() - 2));
  EXPECT_EQ(out[3],
            "{\"line\":5,\"status\":\"stop\",\"message\":\"Downstream pressure is too high\","
            "\"units\":{\"mass_flow\":\"lb/min\",\"volume_flow\":\"ft3/min\",\"length\":\"in\","
            "\"pressure\":\"psia\",\"temperature\":\"deg F\"},\"warnings\":[],"
            "\"messages\":[\"Downstream pressure is too high\"]}");
  EXPECT_EQ(out[4],
            "{\"line\":6,\"status\":\"usage\",\"message\":\"line 6: missing key \\\"type\\\"\","
            "\"messages\":[]}");
  EXPECT_EQ(JsonField(out[5], "status"), "\"gas\"");
  EXPECT_EQ(JsonField(out[5], "message"), "\"line 7: Gas XYZ is not in library\"");
  EXPECT_EQ(out[6],
            "{\"line\":8,\"status\":\"usage\",\"message\":\"line 8: not a JSON object of strings "
            "and numbers: expected '{' at the start of the object at column 1\",\"messages\":[]}");
  EXPECT_EQ(JsonField(out[7], "message"),
            "\"line 9: unknown key \\\"colour\\\" (the keys are case");
  EXPECT_EQ(JsonField(out[8], "message"),
            "\"line 10: not a JSON object of strings and numbers: the value of \\\"teeth\\\" is "
            "neither a number nor a string at column 24\"");
  EXPECT_EQ(JsonField(out[9], "message"),
            "\"line 11: not a JSON object of strings and numbers: the key \\\"gas\\\" is given "
            "twice at column 16\"");
  EXPECT_EQ(out[10], "{\"line\":12," + ok.substr(1, ok.size() - 2));
}

// Teeth beyond the range of Vermes' discharge coefficient change nothing of the correlation's
// answer; the coefficients a line asks for, worked on the tooth-by-tooth states, say why they
// cannot be had.
TEST(CliBatchTest, ToothRatiosBeyondVermesFitStopOnlyTheCoefficients) {
  std::vector<std::string> thick = Without(kCase, "--thickness");
  thick.insert(thick.end(), {"--thickness", "0.087"});
  std::string with_dynamics = JsonLine(thick);
  with_dynamics.insert(with_dynamics.size() - 1,
                       ",\"dynamics\":\"5000\",\"tooth-height\":\"0.125\"");
  const CliRun batch = Batch({}, JsonLine(thick) + "\n" + with_dynamics + "\n");
  ASSERT_EQ(batch.code, 0);
  const std::vector<std::string> out = Lines(batch.out);
  ASSERT_EQ(out.size(), 2u);
  const std::string leak = Cli(With("leak", thick, {"--json"})).out;
  const std::string answer = leak.substr(1, leak.size() - 2);
  EXPECT_EQ(out[0], "{\"line\":1," + answer);
  EXPECT_EQ(
      out[1],
      "{\"line\":2," + answer.substr(0, answer.size() - 1) +
          ",\"gamma\":" + JsonField(Cli(With("compare", thick, {"--json"})).out, "gamma") +
          ",\"gamma_source\":\"gas\",\"dynamics\":{\"status\":\"error\",\"message\":\"Vermes' "
          "discharge coefficient is "
          "used for t/c up to 7.1, not for t/c = 7.25: the method does not apply\",\"kxx\":null,"
          "\"kxy\":null,\"cxx\":null,\"cxy\":null,\"effective_damping\":null,"
          "\"whirl_frequency_ratio\":null}}");
}

TEST(CliBatchTest, ALineTooLongIsRefusedAndTheBatchGoesOn) {
  const std::string huge = "{\"gas\":\"" + std::string(1 << 20, 'x') + "\"}";
  const CliRun batch = Batch({}, huge + "\n" + JsonLine(kCase) + "\n");
  ASSERT_EQ(batch.code, 0);
  const std::vector<std::string> out = Lines(batch.out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0],
            "{\"line\":1,\"status\":\"usage\",\"message\":\"line 1: longer than 1048576 bytes\","
            "\"messages\":[]}");
  EXPECT_EQ(JsonField(out[1], "status"), "\"ok\"");
}

// The limit is on the line without its end: a line of exactly 1 MiB is taken with an LF or a
// CR LF end alike, one byte more is not.
TEST(CliBatchTest, TheLimitCountsNoLineEnd) {
  const auto line = [](size_t bytes) {
    return "{\"gas\":\"" + std::string(bytes - 10, 'x') + "\"}";
  };
  ASSERT_EQ(line(kMaxBatchLineBytes).size(), kMaxBatchLineBytes);
  const CliRun batch =
      Batch({}, line(kMaxBatchLineBytes) + "\r\n" + line(kMaxBatchLineBytes) + "\n" +
                    line(kMaxBatchLineBytes + 1) + "\r\n" + line(kMaxBatchLineBytes) + "\r");
  ASSERT_EQ(batch.code, 0);
  const std::vector<std::string> out = Lines(batch.out);
  ASSERT_EQ(out.size(), 4u);
  for (size_t k : {0u, 1u, 3u}) {
    const std::string n = std::to_string(k + 1);
    EXPECT_EQ(out[k], "{\"line\":" + n + ",\"status\":\"usage\",\"message\":\"line " + n +
                          ": missing key \\\"type\\\"\",\"messages\":[]}");
  }
  EXPECT_EQ(out[2],
            "{\"line\":3,\"status\":\"usage\",\"message\":\"line 3: longer than 1048576 bytes\","
            "\"messages\":[]}");
}

TEST(CliBatchTest, InputThatCannotBeReadIsAFileFailure) {
  CliRun r = Cli({"batch", "/nonexistent/cases.jsonl"});
  EXPECT_EQ(r.code, 7);
  EXPECT_EQ(r.err, "torvane-cli: /nonexistent/cases.jsonl: No such file or directory\n");
  r = Cli({"batch", std::string(TORVANE_EXAMPLES_DIR)});
  EXPECT_EQ(r.code, 7);
  EXPECT_EQ(r.err, "torvane-cli: " + std::string(TORVANE_EXAMPLES_DIR) + ": it is a folder\n");
  r = Cli({"batch", "a", "b"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(Batch({}, "").out, "");
  EXPECT_EQ(Batch({"-"}, "{}\n").out,
            "{\"line\":1,\"status\":\"usage\",\"message\":\"line 1: missing key \\\"type\\\"\","
            "\"messages\":[]}\n");

  // A file named on the command line, and standard input of the program itself.
  const std::string path = ::testing::TempDir() + "/torvane-batch.jsonl";
  std::ofstream(path) << JsonLine(kCase) << "\n";
  r = Cli({"batch", path});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(JsonField(r.out, "status"), "\"ok\"");
  const std::string command = "printf '%s\\n' '" + JsonLine(kCase) + "' '{' | " +
                              std::string(TORVANE_CLI_PATH) + " batch -";
  const testing::ProcessRun run = RunShell(command);
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(Lines(run.output).size(), 2u) << run.output;
  EXPECT_EQ(run.output.substr(0, r.out.size()), r.out);
}

TEST(JsonReaderTest, FlatObjectsOfStringsAndNumbersOnly) {
  const auto members =
      ReadFlatJsonObject(" { \"a\" : \"x\\\"\\u00e9\\ud83d\\ude00\\n\", \"b\":-0.5e+3,\"c\":0 } ");
  ASSERT_EQ(members.size(), 3u);
  EXPECT_EQ(members[0].key, "a");
  EXPECT_FALSE(members[0].is_number);
  EXPECT_EQ(members[0].text, "x\"\xC3\xA9\xF0\x9F\x98\x80\n");
  EXPECT_TRUE(members[1].is_number);
  EXPECT_EQ(members[1].text, "-0.5e+3");
  EXPECT_EQ(members[2].text, "0");
  EXPECT_TRUE(ReadFlatJsonObject("{}").empty());

  const auto reason = [](const char* text) -> std::string {
    try {
      ReadFlatJsonObject(text);
    } catch (const JsonSyntaxError& e) {
      return e.what();
    }
    return "accepted";
  };
  EXPECT_EQ(reason("{\"a\":01}"), "expected ',' or '}' after a value at column 7");
  EXPECT_EQ(reason("{\"a\":1.}"), "a number needs digits after its decimal point at column 8");
  EXPECT_EQ(reason("{\"a\":-}"), "a number needs digits at column 7");
  EXPECT_EQ(reason("{\"a\":1e}"), "a number needs digits in its exponent at column 8");
  EXPECT_EQ(reason("{\"a\":{}}"),
            "the value of \"a\" is neither a number nor a string at column 6");
  EXPECT_EQ(reason("{\"a\":\"x}"), "a string has no closing quote at column 9");
  EXPECT_EQ(reason("{\"a\":\"\\x\"}"), "an unknown escape in a string at column 7");
  EXPECT_EQ(reason("{\"a\":\"\\ud83d\"}"),
            "a high surrogate without its low surrogate at column 7");
  EXPECT_EQ(reason("{\"a\":\"\xC3\"}"), "a string is not valid UTF-8 at column 7");
  EXPECT_EQ(reason("{\"a\":\"\t\"}"), "a control character inside a string at column 7");
  EXPECT_EQ(reason("{\"a\":1,}"), "expected a key in double quotes at column 8");
  EXPECT_EQ(reason("{\"a\":1} x"), "unexpected text after the object at column 9");
  EXPECT_EQ(reason("{\"a\""), "expected ':' after the key \"a\" at column 5");
  EXPECT_EQ(reason("{\"a\":"), "the object ends without the value of \"a\" at column 6");
}

}  // namespace
}  // namespace torvane::cli

namespace torvane::cli {
namespace {

// A plain line (the leak's own keys, plain strings and numbers) is read without the general
// path's arguments and keeps its gas and units for the lines after it; the same case written so
// that only the general path reads it (an escape in a string, an exponent, a number as text)
// answers byte for byte the same, whatever lines came before.
TEST(CliBatchTest, PlainLinesAnswerAsTheGeneralPath) {
  const std::string tail =
      ",\"diameter\":6,\"clearance\":0.012,\"pressure-up\":500,\"pressure-down\":%,"
      "\"temperature-up\":100,\"thickness\":0.02,\"spacing\":0.125,\"teeth\":12,"
      "\"flow-coef\":0.67}";
  const auto line = [&](const std::string& head, const std::string& down) {
    std::string text = head + tail;
    text.replace(text.find('%'), 1, down);
    return text;
  };
  struct Case {
    std::string plain, general;
  };
  const Case cases[] = {
      {line("{\"gas\":\"CH4:1\",\"type\":\"straight\"", "50"),
       line("{\"gas\":\"CH4:1\",\"type\":\"str\\u0061ight\"", "5e1")},
      {line("{\"gas\":\"N2:0.5,CO2:0.5\",\"type\":\"stepped\",\"units\":\"english\"", "\"50\""),
       line("{\"gas\":\"N2:0.5,CO2:0.5\",\"type\":\"stepped\",\"units\":\"engl\\u0069sh\"", "50")},
      // Stopped: the downstream pressure above the upstream one.
      {line("{\"gas\":\"CH4:1\",\"type\":\"straight\"", "600"),
       line("{\"gas\":\"CH4:1\",\"type\":\"str\\u0061ight\"", "6E2")},
      // Out of range: 6 mm is below the smallest diameter.
      {line("{\"gas\":\"CH4:1\",\"type\":\"straight\",\"units\":\"si\"", "50"),
       line("{\"gas\":\"CH4:1\",\"type\":\"straight\",\"units\":\"s\\u0069\"", "50")},
      // A gas whose code is not in the library goes to the general path.
      {line("{\"gas\":\"XX9:1\",\"type\":\"straight\"", "50"),
       line("{\"gas\":\"XX9:1\",\"type\":\"straight\"", "5e1")},
      {line("{\"gas\":\"CH4:1\",\"type\":\"straight\",\"units\":\"metric\"", "-1"),
       line("{\"gas\":\"CH4:1\",\"type\":\"straight\",\"units\":\"metri\\u0063\"", "-1")},
  };
  long long number = 1;
  for (const Case& c : cases) {
    const std::string plain = BatchAnswer(c.plain, number);
    EXPECT_EQ(plain, BatchAnswer(c.general, number)) << c.plain;
    EXPECT_EQ(BatchAnswer(c.plain, number), plain) << c.plain;
    ++number;
  }
  EXPECT_NE(BatchAnswer(cases[0].plain, 1).find("\"status\":\"ok\""), std::string::npos);
  EXPECT_NE(BatchAnswer(cases[2].plain, 1).find("\"status\":\"stop\""), std::string::npos);
  EXPECT_NE(BatchAnswer(cases[3].plain, 1).find("\"status\":\"range\""), std::string::npos);
  EXPECT_NE(BatchAnswer(cases[4].plain, 1).find("\"status\":\"gas\""), std::string::npos);
  // Units given empty are a usage failure, not the units left out.
  EXPECT_NE(BatchAnswer(line("{\"gas\":\"CH4:1\",\"type\":\"straight\",\"units\":\"\"", "50"), 1)
                .find("\"status\":\"usage\""),
            std::string::npos);
}

}  // namespace
}  // namespace torvane::cli
