#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_output.h"
#include "cli/cli_test_support.h"
#include "cli/json_writer.h"
#include "support/english_case.h"
#include "support/process_run.h"
#include "units/number_format.h"

namespace torvane::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::RunShell;

// leak --gas CH4:1 with the standard straight case, --json.
const std::vector<std::string> kLeakArgs = [] {
  std::vector<std::string> args = {"leak", "--gas", "CH4:1"};
  for (const std::string& a : testing::CaseArguments(testing::EnglishStraightCase())) {
    args.push_back(a);
  }
  args.push_back("--json");
  return args;
}();

std::vector<std::string> LeakWith(const std::string& flag, const std::string& value) {
  std::vector<std::string> args = kLeakArgs;
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == flag) {
      args[i + 1] = value;
      return args;
    }
  }
  args.push_back(flag);
  args.push_back(value);
  return args;
}

TEST(CliCalculationTest, CharacteriseGivesTheMixtureInInternalUnits) {
  const CliRun r = Cli({"characterise", "--gas", "CH4:0.5,H2:0.5", "--json"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(
      r.out.rfind("{\"mol_weight\":9.027999999999999,\"acentric\":-0.0048000000000000004,", 0), 0u)
      << r.out;
  EXPECT_NE(r.out.find("\"bwr\":["), std::string::npos);
  const CliRun methane = Cli({"characterise", "--gas", "CH4:1", "--json"});
  EXPECT_NE(methane.out.find("\"mol_weight\":16.04,\"acentric\":0.0104,"), std::string::npos);
}

TEST(CliCalculationTest, CompressibilityAndTheTemperatureFloor) {
  CliRun r = Cli({"z", "--gas", "CH4:1", "--pressure", "1000", "--temperature", "560", "--json"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out.rfind("{\"z\":0.906256", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\"temperature\":560,\"units\":{\"pressure\":\"psia\",\"temperature\":"
                       "\"deg R\",\"specific_volume\":\"ft3/lb\"},\"messages\":[]}"),
            std::string::npos)
      << r.out;

  r = Cli({"z", "--gas", "CH4:1", "--pressure", "50", "--temperature", "150", "--json"});
  EXPECT_NE(r.out.find("\"temperature\":200,"), std::string::npos) << r.out;

  r = Cli({"z", "--gas", "CH4:1", "--pressure", "500", "--temperature", "300", "--json"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.err, "torvane-cli: Max 'Z' iterations, output data may not be reliable\n");
  EXPECT_NE(r.out.find("{\"z\":1,"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"messages\":[\"Max 'Z' iterations, output data may not be reliable\"]"),
            std::string::npos);
}

TEST(CliCalculationTest, SaturationTemperature) {
  const CliRun r = Cli({"tsat", "--gas", "CH4:1", "--pressure", "14.696", "--json"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out.rfind("{\"saturation_temp\":201.442", 0), 0u) << r.out;
  const CliRun text = Cli({"tsat", "--gas", "CH4:1", "--pressure", "14.696"});
  EXPECT_EQ(text.out, "Saturation temperature  201.4 deg R\n");
}

TEST(CliLeakTest, EnglishCaseAsJson) {
  const CliRun r = Cli(kLeakArgs);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "{\"status\":\"ok\",\"mass_flow\":81.61590964028952,\"std_flow\":1931.1786966884745,"
            "\"std_flow_unit\":\"SCFM\",\"inlet_flow\":58.04018395363139,"
            "\"exhaust_flow\":302.36458998374707,\"units\":{\"mass_flow\":\"lb/min\","
            "\"volume_flow\":\"ft3/min\",\"length\":\"in\",\"pressure\":\"psia\","
            "\"temperature\":\"deg F\"},\"warnings\":[],\"messages\":[]}\n");
}

TEST(CliLeakTest, MetricUnitsGiveStandardCubicMetres) {
  std::vector<std::string> args = {
      "leak",    "--gas",           "CH4:1", "--units",          "metric", "--type",
      "stepped", "--diameter",      "150",   "--clearance",      "0.3",    "--pressure-up",
      "30",      "--pressure-down", "5",     "--temperature-up", "40",     "--thickness",
      "0.5",     "--spacing",       "3",     "--teeth",          "8",      "--flow-coef",
      "0.67",    "--json"};
  const CliRun r = Cli(args);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"std_flow_unit\":\"Sm3/hr\""), std::string::npos);
  EXPECT_NE(r.out.find("\"units\":{\"mass_flow\":\"kg/min\",\"volume_flow\":\"m3/hr\","
                       "\"length\":\"mm\",\"pressure\":\"kg/cm2 a\",\"temperature\":\"deg C\"}"),
            std::string::npos)
      << r.out;
}

TEST(CliLeakTest, WarningsArePrintedAndListedInOrder) {
  std::vector<std::string> args = LeakWith("--clearance", "0.25");
  args[4] = "stepped";
  const CliRun r = Cli(args);
  ASSERT_EQ(r.code, 0);
  const std::string ratio =
      "Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not be "
      "accurate.";
  const std::string suggested =
      "Warning: Radial clearance exceeds suggested value of, 0.2. Calculations may not be "
      "accurate";
  // On standard error as error lines; in the JSON answer as the window shows them.
  EXPECT_EQ(r.err, "torvane-cli: " + ratio + "\ntorvane-cli: " + suggested + "\n");
  const std::string list = "[\"" + ratio + "\",\"" + suggested + "\"]";
  EXPECT_NE(r.out.find("\"warnings\":" + list + ",\"messages\":" + list + "}"), std::string::npos)
      << r.out;

  // Straight, the carry-over factor of that clearance ratio is negative: no result.
  const CliRun straight = Cli(LeakWith("--clearance", "0.25"));
  EXPECT_EQ(straight.code, 6);
  EXPECT_EQ(straight.err, "torvane-cli: " + ratio + "\ntorvane-cli: " + suggested +
                              "\ntorvane-cli: Calculation error, recheck input and try again\n");
  EXPECT_EQ(straight.out.rfind("{\"status\":\"error\",\"message\":\"Calculation error, recheck "
                               "input and try again\",",
                               0),
            0u)
      << straight.out;
  EXPECT_NE(
      straight.out.find("\"warnings\":" + list + ",\"messages\":[\"" + ratio + "\",\"" + suggested +
                        "\",\"Calculation error, recheck input and try again\"]}"),
      std::string::npos)
      << straight.out;
}

TEST(CliLeakTest, TeethNearThePoleGiveNoResult) {
  for (const char* teeth : {"4.3219", "4.3221", "4.312", "4.332"}) {
    const CliRun r = Cli(LeakWith("--teeth", teeth));
    EXPECT_EQ(r.code, 6) << teeth;
    EXPECT_EQ(r.err, "torvane-cli: Calculation error, recheck input and try again\n") << teeth;
  }
  EXPECT_EQ(Cli(LeakWith("--teeth", "4.3119")).code, 0);
}

TEST(CliLeakTest, ExitCodesOfTheCalculation) {
  CliRun r = Cli(LeakWith("--diameter", "95"));
  EXPECT_EQ(r.code, 4);
  EXPECT_EQ(r.err, "torvane-cli: Maximum allowable diameter is 90 in\n");
  EXPECT_EQ(r.out.rfind("{\"status\":\"range\",", 0), 0u) << r.out;

  r = Cli(LeakWith("--pressure-down", "600"));
  EXPECT_EQ(r.code, 5);
  EXPECT_EQ(r.err, "torvane-cli: Downstream pressure is too high\n");

  r = Cli(LeakWith("--temperature-up", "-300"));
  EXPECT_EQ(r.code, 5);
  EXPECT_NE(r.err.find("Temperature is below saturation of "), std::string::npos);

  r = Cli(LeakWith("--teeth", "4.322"));
  EXPECT_EQ(r.code, 6);
  EXPECT_EQ(r.err, "torvane-cli: Calculation error, recheck input and try again\n");
  EXPECT_EQ(r.out.rfind("{\"status\":\"error\",", 0), 0u) << r.out;

  r = Cli(LeakWith("--gas", "CH4:0"));
  EXPECT_EQ(r.code, 6);
  EXPECT_EQ(r.err, "torvane-cli: Calculation error, recheck input and try again\n");
}

TEST(CliUsageTest, BadGasSpecsExitWithThree) {
  CliRun r = Cli(LeakWith("--gas", "XYZ:1"));
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "torvane-cli: Gas XYZ is not in library\n");
  r = Cli(LeakWith("--gas", "ch4:1"));
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "torvane-cli: Gas ch4 is not in library\n");
  for (const std::string gas :
       {"", "CH4", "CH4:", "CH4:abc", ":1", "CH4:1,", "CH4:1,,C2H6:0", "CH4:nan", "CH4:inf"}) {
    r = Cli(LeakWith("--gas", gas));
    EXPECT_EQ(r.code, 3) << gas;
    EXPECT_EQ(r.err.rfind("torvane-cli: bad gas list", 0), 0u) << r.err;
    // The JSON answer of the failure carries the same message.
    EXPECT_EQ(
        r.out.rfind(
            "{\"status\":\"gas\",\"message\":\"" + r.err.substr(13, r.err.size() - 14) + "\",", 0),
        0u)
        << r.out;
  }
  std::string many;
  for (int i = 0; i < 31; ++i) many += (i ? "," : "") + std::string("CH4:0.03");
  r = Cli({"characterise", "--gas", many});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "torvane-cli: bad gas list: more than 30 components\n");
  r = Cli({"characterise", "--gas", many.substr(0, many.rfind(','))});
  EXPECT_EQ(r.code, 0) << r.err;
}

TEST(CliUsageTest, UsageErrorsExitWithTwo) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {{}, ""},
      {{"frobnicate"}, "torvane-cli: unknown command 'frobnicate' (try --help)\n"},
      {LeakWith("--colour", "red"), "torvane-cli: unknown option --colour\n"},
      {LeakWith("--teeth", "eight"), "torvane-cli: --teeth: 'eight' is not a number\n"},
      {LeakWith("--teeth", "nan"), "torvane-cli: --teeth: 'nan' is not a number\n"},
      {LeakWith("--diameter", "inf"), "torvane-cli: --diameter: 'inf' is not a number\n"},
      {LeakWith("--type", "spiral"), "torvane-cli: --type: 'spiral' is not stepped or straight\n"},
      {LeakWith("--units", "imperial"),
       "torvane-cli: --units: 'imperial' is not english, si or metric\n"},
      {{"tsat", "--gas", "CH4:1", "--pressure"}, "torvane-cli: option --pressure needs a value\n"},
      {{"tsat", "--gas", "CH4:1"}, "torvane-cli: missing option --pressure\n"},
      {{"tsat", "--pressure", "100"}, "torvane-cli: missing option --gas or --case\n"},
      {{"tsat", "--gas", "CH4:1", "--pressure", "1", "--pressure", "2"},
       "torvane-cli: option --pressure given twice\n"},
      {{"tsat", "--gas", "CH4:1", "--pressure", "14.696", "-json"},
       "torvane-cli: unexpected argument '-json'\n"},
      {{"characterise", "--gas", "CH4:1", "stray"}, "torvane-cli: unexpected argument 'stray'\n"},
      {LeakWith("--pressure-up", "1,5"), "torvane-cli: --pressure-up: '1,5' is not a number\n"},
      {{"characterise", "--gas", "CH4:1", "--case", "x.gas"},
       "torvane-cli: give --gas or --case, not both\n"},
      {{"characterise", "--gas", "CH4:1", "--section", "1"},
       "torvane-cli: --section goes with --case\n"},
      {{"report", "x.trv", "--pdf", "x.pdf"},
       "torvane-cli: report is not available in this build\n"},
  };
  for (const auto& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.code, 2);
    if (!c.err.empty()) {
      EXPECT_EQ(r.err, c.err);
    }
    // leak asked for JSON answers its failure in JSON; the others write nothing.
    const bool leak_json = !c.args.empty() && c.args.front() == "leak" &&
                           std::find(c.args.begin(), c.args.end(), "--json") != c.args.end();
    if (leak_json) {
      EXPECT_EQ(r.out, "{\"status\":\"usage\",\"message\":\"" +
                           c.err.substr(13, c.err.size() - 14) + "\",\"messages\":[]}\n");
    } else {
      EXPECT_EQ(r.out, "");
    }
  }
  EXPECT_EQ(Cli({"--version"}).out, "torvane-cli Version 8.0.2\n");
  EXPECT_EQ(Cli({"--help"}).code, 0);
}

TEST(CliProcessTest, TheProgramAnswersAsAWholeProcess) {
  const std::string command = std::string(TORVANE_CLI_PATH) +
                              " leak --gas CH4:1 --type stepped --diameter 6 --clearance 0.012"
                              " --pressure-up 500 --pressure-down 100 --temperature-up 100"
                              " --thickness 0.02 --spacing 0.125 --teeth 8 --flow-coef 0.67 --json";
  testing::ProcessRun run = RunShell(command);
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.output.rfind("{\"status\":\"ok\",\"mass_flow\":39.36153847841", 0), 0u)
      << run.output;

  run = RunShell(std::string(TORVANE_CLI_PATH) + " tsat --gas CH4:1 --pressure x 2>&1");
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.output, "torvane-cli: --pressure: 'x' is not a number\n");
}

TEST(CliHelpTest, EveryCommandListsItsOwnOptions) {
  const CliRun general = Cli({"--help"});
  ASSERT_EQ(general.code, 0);
  EXPECT_EQ(general.out.rfind("usage: torvane-cli COMMAND [options] [--json]\n"
                              "       torvane-cli COMMAND --help\n\ncommands:\n"
                              "  characterise GAS [--units english|si|metric] [--json]\n"
                              "  z            GAS [--units english|si|metric]\n"
                              "               --pressure P --temperature T [--json]\n",
                              0),
            0u)
      << general.out;

  const CliRun leak = Cli({"leak", "--help"});
  EXPECT_EQ(leak.code, 0);
  EXPECT_EQ(leak.err, "");
  EXPECT_EQ(leak.out.rfind("usage: torvane-cli leak GAS [--units english|si|metric] "
                           "--type stepped|straight\n"
                           "                        --diameter D --clearance C",
                           0),
            0u)
      << leak.out;
  for (const char* option :
       {"--gas CODE:FRACTION", "--case FILE", "--section N", "--units", "--type", "--diameter D",
        "--clearance C", "--pressure-up P", "--pressure-down P", "--temperature-up T",
        "--thickness T", "--spacing S", "--teeth N", "--flow-coef CF", "--json", "--help"}) {
    EXPECT_NE(leak.out.find("\n  " + std::string(option)), std::string::npos) << option;
  }
  // Anywhere on the line, and through "help COMMAND": nothing is computed.
  EXPECT_EQ(Cli(LeakWith("--help", "")).out, leak.out);
  EXPECT_EQ(Cli({"help", "leak"}).out, leak.out);

  const CliRun z = Cli({"z", "--help"});
  EXPECT_NE(z.out.find("  --pressure P               pressure (psia, or in the pressure unit of "
                       "--units)\n"),
            std::string::npos);
  EXPECT_NE(z.out.find("\n  --units english|si|metric  the units of pressures"), std::string::npos);
  EXPECT_EQ(z.out.find("--diameter"), std::string::npos);
  const CliRun show = Cli({"show", "-h"});
  EXPECT_EQ(show.out.find("--gas"), std::string::npos) << "show reads no gas";
  for (const char* command : {"characterise", "z", "tsat", "leak", "compare", "sweep", "batch",
                              "show", "report", "help"}) {
    const CliRun r = Cli({command, "--help"});
    EXPECT_EQ(r.code, 0) << command;
    EXPECT_EQ(r.out.rfind("usage: torvane-cli " + std::string(command) + " ", 0), 0u) << command;
    EXPECT_NE(general.out.find("\n  " + std::string(command) + " "), std::string::npos) << command;
    for (size_t at = r.out.find('\n'); at != std::string::npos; at = r.out.find('\n', at + 1)) {
      EXPECT_NE(r.out[at - 1], ' ') << command << ": a line ends in a blank";
    }
  }
  // help has a help of its own.
  const CliRun help = Cli({"help", "--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("usage: torvane-cli help [COMMAND]\n\nThe commands of torvane-cli", 0),
            0u)
      << help.out;
  EXPECT_EQ(Cli({"help"}).out, general.out);
  EXPECT_EQ(Cli({"help", "leak", "z"}).err, "torvane-cli: help takes one COMMAND\n");

  const CliRun unknown = Cli({"help", "frobnicate"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_EQ(unknown.err, "torvane-cli: unknown command 'frobnicate' (try --help)\n");
}

TEST(CliErrorLinesTest, EveryLineIsMarkedAndEndsWithoutBlanks) {
  std::ostringstream err;
  PrintError(err, "first  \nsecond\t\n\nlast ");
  EXPECT_EQ(err.str(),
            "torvane-cli: first\ntorvane-cli: second\ntorvane-cli:\ntorvane-cli: last\n");
  std::ostringstream one;
  PrintError(one, "one line\n");
  EXPECT_EQ(one.str(), "torvane-cli: one line\n");

  EXPECT_EQ(Cli({}).err, "torvane-cli: no command given (try torvane-cli --help)\n");
  // A message of the calculation keeps its text in the JSON answer.
  const CliRun r = Cli(LeakWith("--diameter", "95"));
  EXPECT_EQ(r.err, "torvane-cli: Maximum allowable diameter is 90 in\n");
  const CliRun z =
      Cli({"z", "--gas", "CH4:1", "--pressure", "500", "--temperature", "300", "--json"});
  EXPECT_NE(z.out.find("\"messages\":[\"Max 'Z' iterations, output data may not be reliable\"]"),
            std::string::npos);
}

// A stream whose every write fails, as standard output on a full disk does.
class FullDisk : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(CliOutputTest, AnAnswerThatCannotBeWrittenIsAFileError) {
  FullDisk full;
  std::ostream out(&full);
  std::ostringstream err;
  EXPECT_EQ(RunCli({"tsat", "--gas", "CH4:1", "--pressure", "14.696"}, out, err), 7);
  EXPECT_EQ(err.str().rfind("torvane-cli: standard output could not be written", 0), 0u)
      << err.str();
  std::ostringstream err2;
  std::ostream out2(&full);
  EXPECT_EQ(RunCli({"--version"}, out2, err2), 7);

  // The whole program, its standard output on a full device.
  const std::string command =
      std::string(TORVANE_CLI_PATH) + " tsat --gas CH4:1 --pressure 14.696 --json 2>&1 >/dev/full";
  const testing::ProcessRun run = RunShell(command);
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output, "torvane-cli: standard output could not be written: the disk is full\n");
}

TEST(JsonWriterTest, NonFiniteNumbersAreNull) {
  JsonWriter j;
  j.BeginArray()
      .Number(std::nan(""))
      .Number(INFINITY)
      .Number(-INFINITY)
      .Number(0.1)
      .String("a\"b\\c\n")
      .EndArray();
  EXPECT_EQ(j.str(), "[null,null,null,0.1,\"a\\\"b\\\\c\\n\"]");
  JsonWriter zero;
  zero.BeginArray().Number(-0.0).Number(0.0).Number(-1e-300).EndArray();
  EXPECT_EQ(zero.str(), "[-0.0,0,-1e-300]");
}

}  // namespace
}  // namespace torvane::cli
