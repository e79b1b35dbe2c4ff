// torvane-cli as scripts and shells use it: numbers read the same way by every reader, units named
// in every JSON answer, one answer shape for leak whether it succeeded or not, stored NaNs that
// stay valid JSON, and standard outputs that cannot be written (a closed pipe, a full device, a
// file that refuses writes, the batch's own input).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_test_support.h"
#include "platform/standard_output.h"
#include "support/english_case.h"
#include "support/output_targets.h"
#include "units/number_format.h"
#include "units/unit_choice.h"

namespace torvane::cli {
namespace {

using testing::ChildRun;
using testing::Cli;
using testing::CliRun;

const std::string kExamples = TORVANE_EXAMPLES_DIR;

std::vector<std::string> Leak(std::vector<std::string> more = {}) {
  std::vector<std::string> args = {"leak", "--gas", "CH4:1"};
  for (const std::string& a : testing::CaseArguments(testing::EnglishStraightCase())) {
    args.push_back(a);
  }
  // A later value of an option replaces the case's.
  for (size_t i = 0; i + 1 < more.size(); i += 2) {
    auto at = std::find(args.begin(), args.end(), more[i]);
    if (at != args.end()) {
      *(at + 1) = more[i + 1];
    } else {
      args.push_back(more[i]);
      args.push_back(more[i + 1]);
    }
  }
  if (more.size() % 2 == 1) args.push_back(more.back());
  return args;
}

// The number of "key": in a JSON answer.
double JsonNumber(const std::string& json, const std::string& key) {
  const std::string tag = "\"" + key + "\":";
  const size_t from = json.find(tag) + tag.size();
  return ParseNumber(json.substr(from, json.find_first_of(",}", from) - from)).value_or(-1e300);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// ------------------------------------------------------------------------------------------
// A decimal comma in every reader of numbers

TEST(CliNumbersTest, EveryOptionRefusesADecimalComma) {
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string err;
  };
  const Case cases[] = {
      {Leak({"--flow-coef", "0,670"}), 2, "--flow-coef: '0,670' is not a number"},
      {Leak({"--flow-coef", "00,670"}), 2, "--flow-coef: '00,670' is not a number"},
      {Leak({"--clearance", "0,012"}), 2, "--clearance: '0,012' is not a number"},
      {Leak({"--pressure-down", "0,5"}), 2, "--pressure-down: '0,5' is not a number"},
      {Leak({"--teeth", "0,8"}), 2, "--teeth: '0,8' is not a number"},
      {{"z", "--gas", "CH4:1", "--pressure", "0,670", "--temperature", "560"},
       2,
       "--pressure: '0,670' is not a number"},
      {{"tsat", "--gas", "CH4:1", "--pressure", "00,670"},
       2,
       "--pressure: '00,670' is not a number"},
      {{"compare",  "--gas",
        "CH4:1",    "--type",
        "straight", "--diameter",
        "6",        "--clearance",
        "0.012",    "--pressure-up",
        "500",      "--pressure-down",
        "100",      "--temperature-up",
        "100",      "--thickness",
        "0.02",     "--spacing",
        "0.125",    "--teeth",
        "8",        "--flow-coef",
        "0.67",     "--gamma",
        "1,3"},
       2,
       "--gamma: '1,3' is not a number"},
      {{"characterise", "--case", kExamples + "/natural-gas.gas", "--section", "0,0"},
       2,
       "--section: '0,0' is not a gas section 0, 1 or 2"},
  };
  for (const Case& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.code, c.code) << c.err;
    EXPECT_EQ(r.err, "torvane-cli: " + c.err + "\n");
    EXPECT_EQ(r.out, "") << c.err;
  }
  // Real thousands grouping still reads.
  EXPECT_EQ(Cli(Leak({"--pressure-up", "1,250.5", "--json"})).out,
            Cli(Leak({"--pressure-up", "1250.5", "--json"})).out);
  const CliRun twelve_thousand = Cli(Leak({"--diameter", "12,000"}));
  EXPECT_EQ(twelve_thousand.code, 4);
  EXPECT_EQ(twelve_thousand.err, "torvane-cli: Maximum allowable diameter is 90 in\n");
}

TEST(CliNumbersTest, BatchValuesGivenAsTextRefuseADecimalComma) {
  std::string input;
  for (const char* value : {"0,670", "00,670", "0.67"}) {
    input +=
        "{\"gas\":\"CH4:1\",\"type\":\"straight\",\"diameter\":6,\"clearance\":\"0.012\","
        "\"pressure-up\":\"1,250.5\",\"pressure-down\":100,\"temperature-up\":100,"
        "\"thickness\":0.02,\"spacing\":0.125,\"teeth\":8,\"flow-coef\":\"" +
        std::string(value) + "\"}\n";
  }
  const std::string path = ::testing::TempDir() + "/torvane-decimal-comma.jsonl";
  std::ofstream(path) << input;
  const CliRun batch = Cli({"batch", path});
  ASSERT_EQ(batch.code, 0);
  std::istringstream lines(batch.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line,
            "{\"line\":1,\"status\":\"usage\",\"message\":\"line 1: \\\"flow-coef\\\": '0,670' is "
            "not a number\",\"messages\":[]}");
  std::getline(lines, line);
  EXPECT_EQ(line,
            "{\"line\":2,\"status\":\"usage\",\"message\":\"line 2: \\\"flow-coef\\\": '00,670' "
            "is not a number\",\"messages\":[]}");
  std::getline(lines, line);
  const std::string leak = Cli(Leak({"--pressure-up", "1250.5", "--json"})).out;
  EXPECT_EQ(line + "\n", "{\"line\":3," + leak.substr(1));
}

TEST(CliNumbersTest, SweepRangesRefuseADecimalComma) {
  struct Case {
    const char* vary;
    const char* err;
  };
  const Case cases[] = {
      {"flow-coef=0,5:0.7:3", "--vary: flow-coef: FROM '0,5' is not a number"},
      {"flow-coef=0.5:0,670:3", "--vary: flow-coef: TO '0,670' is not a number"},
      {"clearance=00,670:1:3", "--vary: clearance: FROM '00,670' is not a number"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = Leak({"--vary", c.vary});
    args[0] = "sweep";
    const CliRun r = Cli(args);
    EXPECT_EQ(r.code, 2) << c.vary;
    EXPECT_EQ(r.err, "torvane-cli: " + std::string(c.err) + "\n");
  }
  std::vector<std::string> grouped = Leak({"--vary", "pressure-up=1,000:1,250.5:2"});
  grouped[0] = "sweep";
  grouped.erase(std::find(grouped.begin(), grouped.end(), "--pressure-up"),
                std::find(grouped.begin(), grouped.end(), "--pressure-up") + 2);
  const CliRun sweep = Cli(grouped);
  ASSERT_EQ(sweep.code, 0) << sweep.err;
  EXPECT_NE(sweep.out.find("\n1000,"), std::string::npos) << sweep.out;
  EXPECT_NE(sweep.out.find("\n1250.5,"), std::string::npos) << sweep.out;
}

// ------------------------------------------------------------------------------------------
// Units of the gas commands

TEST(CliUnitsTest, GasCommandsTakeUnitsAndNameThem) {
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  // 68.95 Bar a and 37.5 deg C are the psia and degR given to the engine.
  const double psia = si.ConvertPressure(68.95, "AE");
  const double rankine = si.ConvertTemperature(37.5, "AR");
  const CliRun english = Cli({"z", "--gas", "CH4:1", "--pressure", RoundTrip(psia), "--temperature",
                              RoundTrip(rankine), "--json"});
  ASSERT_EQ(english.code, 0);
  const CliRun z = Cli({"z", "--gas", "CH4:1", "--units", "si", "--pressure", "68.95",
                        "--temperature", "37.5", "--json"});
  ASSERT_EQ(z.code, 0) << z.err;
  const std::string z_value = RoundTrip(JsonNumber(english.out, "z"));
  const double volume = JsonNumber(english.out, "specific_volume");
  EXPECT_EQ(z.out, "{\"z\":" + z_value + ",\"specific_volume\":" + RoundTrip(volume * 0.06243) +
                       ",\"temperature\":" + RoundTrip(si.ConvertTemperature(rankine, "RA")) +
                       ",\"units\":{\"pressure\":\"Bar a\",\"temperature\":\"deg C\","
                       "\"specific_volume\":\"m3/kg\"},\"messages\":[]}\n");

  UnitChoice metric;
  metric.ApplyUnitChoice(PresetIndices(UnitSystem::kTechMetric));
  const CliRun tsat =
      Cli({"tsat", "--gas", "CH4:0.9,C3H8:0.1", "--units", "metric", "--pressure", "10", "--json"});
  ASSERT_EQ(tsat.code, 0) << tsat.err;
  const CliRun tsat_rankine = Cli({"tsat", "--gas", "CH4:0.9,C3H8:0.1", "--pressure",
                                   RoundTrip(metric.ConvertPressure(10, "AE")), "--json"});
  const double t_rankine = JsonNumber(tsat_rankine.out, "saturation_temp");
  EXPECT_EQ(tsat.out,
            "{\"saturation_temp\":" + RoundTrip(metric.ConvertTemperature(t_rankine, "RA")) +
                ",\"units\":{\"pressure\":\"kg/cm2 a\",\"temperature\":\"deg C\"},"
                "\"messages\":[]}\n");
  EXPECT_EQ(tsat_rankine.out.substr(tsat_rankine.out.find(",\"units\"")),
            ",\"units\":{\"pressure\":\"psia\",\"temperature\":\"deg R\"},\"messages\":[]}\n");

  const CliRun characterise = Cli({"characterise", "--gas", "CH4:1", "--units", "si", "--json"});
  ASSERT_EQ(characterise.code, 0);
  const std::string rankine_psia = Cli({"characterise", "--gas", "CH4:1", "--json"}).out;
  EXPECT_NE(
      characterise.out.find(
          "\"pseudo_crit_temp\":" +
          RoundTrip(si.ConvertTemperature(JsonNumber(rankine_psia, "pseudo_crit_temp"), "RA")) +
          ",\"pseudo_crit_press\":" +
          RoundTrip(si.ConvertPressure(JsonNumber(rankine_psia, "pseudo_crit_press"), "EA")) + ","),
      std::string::npos)
      << characterise.out;
  EXPECT_NE(characterise.out.find(
                ",\"units\":{\"mol_weight\":\"lb/lbmol\",\"temperature\":\"deg C\",\"pressure\":"
                "\"Bar a\",\"bwr\":\"psia, ft3, lbmol, deg R\"},\"messages\":[]}\n"),
            std::string::npos)
      << characterise.out;
  const CliRun text = Cli({"characterise", "--gas", "CH4:1", "--units", "metric"});
  EXPECT_NE(text.out.find("Pseudo-critical temp.     -82.56 deg C\n"
                          "Pseudo-critical pressure  46.952 kg/cm2 a\n"),
            std::string::npos)
      << text.out;

  const CliRun bad = Cli({"tsat", "--gas", "CH4:1", "--units", "imperial", "--pressure", "10"});
  EXPECT_EQ(bad.code, 2);
  EXPECT_EQ(bad.err, "torvane-cli: --units: 'imperial' is not english, si or metric\n");
}

// ------------------------------------------------------------------------------------------
// One shape for leak's JSON answer

TEST(CliLeakJsonTest, AFailedLeakAnswersWithItsStatusAndMessages) {
  const std::string units =
      "\"units\":{\"mass_flow\":\"lb/min\",\"volume_flow\":\"ft3/min\",\"length\":\"in\","
      "\"pressure\":\"psia\",\"temperature\":\"deg F\"}";
  struct Case {
    std::vector<std::string> more;
    int code;
    std::string json;
  };
  const Case cases[] = {
      {{"--diameter", "95"},
       4,
       "{\"status\":\"range\",\"message\":\"Maximum allowable diameter is 90 in\"," + units +
           ",\"warnings\":[],\"messages\":[\"Maximum allowable diameter is 90 in\"]}\n"},
      {{"--pressure-down", "600"},
       5,
       "{\"status\":\"stop\",\"message\":\"Downstream pressure is too high\"," + units +
           ",\"warnings\":[],\"messages\":[\"Downstream pressure is too high\"]}\n"},
      {{"--teeth", "4.322"},
       6,
       "{\"status\":\"error\",\"message\":\"Calculation error, recheck input and try again\"," +
           units +
           ",\"warnings\":[],\"messages\":[\"Calculation error, recheck input and try again\"]}\n"},
      {{"--gas", "XYZ:1"},
       3,
       "{\"status\":\"gas\",\"message\":\"Gas XYZ is not in library\"," + units +
           ",\"warnings\":[],\"messages\":[\"Gas XYZ is not in library\"]}\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> more = c.more;
    more.push_back("--json");
    const CliRun r = Cli(Leak(more));
    EXPECT_EQ(r.code, c.code) << c.json;
    EXPECT_EQ(r.out, c.json);
    // Standard error says it once, as before.
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    // Without --json nothing goes to standard output.
    more.pop_back();
    EXPECT_EQ(Cli(Leak(more)).out, "");
  }

  // Options that cannot be used, before any units are known.
  CliRun r = Cli({"leak", "--case", "/nonexistent/k.trv", "--gas", "CH4:1", "--json"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out,
            "{\"status\":\"usage\",\"message\":\"give --gas or --case, not both\","
            "\"messages\":[]}\n");
  r = Cli({"leak", "--case", "/nonexistent/k.trv", "--json"});
  EXPECT_EQ(r.code, 7);
  EXPECT_EQ(r.err, "torvane-cli: /nonexistent/k.trv: the file does not exist\n");
  EXPECT_EQ(r.out,
            "{\"status\":\"file\",\"message\":\"/nonexistent/k.trv: the file does not exist\","
            "\"messages\":[]}\n");
}

// ------------------------------------------------------------------------------------------
// show --json: a stored NaN or infinity stays valid JSON

// Writes the 8 bytes of bits at offset of a copy of the example case.
void PutBits(std::string& image, size_t offset, std::uint64_t bits) {
  std::memcpy(&image[offset], &bits, sizeof bits);
}

TEST(CliShowTest, StoredNonFiniteDoublesAreNullWithTheirBitsBeside) {
  std::string image = ReadAll(kExamples + "/natural-gas.trv");
  ASSERT_EQ(image.size(), 12404u);
  PutBits(image, 6202 + 8 * 12, 0x7ff8000000000000ULL);           // LabyData(12): a quiet NaN
  PutBits(image, 600 + 8 * (2 + 30 * 1), 0xfff0000000000000ULL);  // MolFraction(2, 1): -inf
  PutBits(image, 4838 + 8 * 1, 0x7ff4000000000001ULL);            // D5(1): a NaN with a payload
  const std::string path = ::testing::TempDir() + "/torvane-nan.trv";
  std::ofstream(path, std::ios::binary) << image;

  const CliRun r = Cli({"show", path, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  // No value is a string among numbers; only the problems name them in words.
  const std::string values = r.out.substr(0, r.out.find("\"problems\":"));
  EXPECT_EQ(values.find("NaN"), std::string::npos) << values;
  EXPECT_EQ(values.find("Infinity"), std::string::npos) << values;
  EXPECT_NE(
      r.out.find("\"problems\":[\"MolFraction(2, 1) is -Infinity\",\"LabyData(12) is NaN\"]}"),
      std::string::npos);
  EXPECT_NE(r.out.find("],\"mol_fraction_bits\":[{\"index\":[1,2],\"bits\":\"fff0000000000000\"}],"
                       "\"component_id\":"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find(",\"D5_bits\":[{\"index\":1,\"bits\":\"7ff4000000000001\"}],\"D6\":"),
            std::string::npos);
  EXPECT_NE(r.out.find(",\"laby_data_bits\":[{\"index\":12,\"bits\":\"7ff8000000000000\"}],"
                       "\"problems\":"),
            std::string::npos);
  const size_t laby = r.out.find("\"laby_data\":[");
  ASSERT_NE(laby, std::string::npos);
  const std::string slots = r.out.substr(laby, r.out.find(']', laby) - laby);
  EXPECT_EQ(std::count(slots.begin(), slots.end(), ','), 14);
  EXPECT_NE(slots.find(",null,"), std::string::npos) << slots;
  // A file of finite numbers has no bits beside its arrays.
  EXPECT_EQ(Cli({"show", kExamples + "/natural-gas.trv", "--json"}).out.find("_bits"),
            std::string::npos);
  // The text answer still names them.
  EXPECT_NE(Cli({"show", path}).out.find("NaN"), std::string::npos);
}

// ------------------------------------------------------------------------------------------
// Standard output that cannot be written

// The buffer under the calculator's standard output: everything written arrives in order, in
// small and large pieces, and the first failure is kept with its errno.
TEST(DescriptorOutputBufferTest, WritesEverythingAndKeepsTheFirstFailure) {
  const std::string path = ::testing::TempDir() + "/torvane-buffer.txt";
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  std::string expected;
  {
    DescriptorOutputBuffer buffer(fd);
    std::ostream out(&buffer);
    EXPECT_EQ(OutputDescriptor(out), fd);
    for (int i = 0; i < 1000; ++i) {
      out << i << ',';
      expected += std::to_string(i) + ',';
    }
    const std::string large(200000, 'x');
    out << large << '\n';
    expected += large + '\n';
    out.flush();
    EXPECT_TRUE(out.good());
    EXPECT_EQ(buffer.error(), 0);
  }
  ::close(fd);
  EXPECT_EQ(ReadAll(path), expected);

  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  DescriptorOutputBuffer buffer(full);
  std::ostream out(&buffer);
  out << "an answer" << std::flush;
  EXPECT_FALSE(out.good());
  EXPECT_EQ(buffer.error(), ENOSPC);
  EXPECT_EQ(OutputError(out, 0), ENOSPC);
  ::close(full);

  std::ostringstream other;
  EXPECT_EQ(OutputError(other, EIO), EIO);
  EXPECT_EQ(OutputDescriptor(other), -1);
}

// Every kind of command: calculations, streamed answers, the file reader, help and version.
std::vector<std::vector<std::string>> EveryCommand(const std::string& cases_file) {
  const std::string trv = kExamples + "/natural-gas.trv";
  return {
      {"characterise", "--case", trv},
      {"z", "--case", trv, "--pressure", "500", "--temperature", "560", "--json"},
      {"tsat", "--case", trv, "--pressure", "500"},
      {"leak", "--case", trv},
      {"leak", "--case", trv, "--json"},
      {"compare", "--case", trv, "--json"},
      {"sweep", "--case", trv, "--vary", "pressure-down=100:400:20000"},
      {"batch", cases_file},
      {"show", trv},
      {"show", trv, "--json"},
      {"--help"},
      {"help", "--help"},
      {"leak", "--help"},
      {"--version"},
  };
}

std::string Joined(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& a : args) text += a + " ";
  return text;
}

class CliOutputTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cases_ = ::testing::TempDir() + "/torvane-output-cases.jsonl";
    std::ofstream(cases_) << "{\"case\":\"" << kExamples << "/natural-gas.trv\"}\n";
  }
  ChildRun Run(const std::vector<std::string>& args, int out_fd, bool ignore_sigpipe = false) {
    return testing::RunWithStandardOutput(TORVANE_CLI_PATH, args, out_fd, ignore_sigpipe);
  }
  // Every command on out_fd ends with exit 7 and says why its answer was lost.
  void ExpectEveryCommandSays(int out_fd, const std::string& reason) {
    for (const auto& args : EveryCommand(cases_)) {
      const ChildRun run = Run(args, out_fd);
      EXPECT_EQ(run.status, 7) << Joined(args);
      EXPECT_EQ(run.err, "torvane-cli: standard output could not be written: " + reason + "\n")
          << Joined(args);
    }
  }
  std::string cases_;
};

// The reader of a pipe has gone: the program ends quietly with the status of a broken pipe,
// whether SIGPIPE ends it or it is ignored and the write fails.
TEST_F(CliOutputTargetTest, AClosedPipeEndsQuietlyWith141) {
  for (const bool ignored : {false, true}) {
    for (const auto& args : EveryCommand(cases_)) {
      const int fd = testing::ClosedPipe();
      ASSERT_GE(fd, 0);
      const ChildRun run = Run(args, fd, ignored);
      ::close(fd);
      EXPECT_EQ(run.status, 141) << Joined(args) << (ignored ? "(SIGPIPE ignored)" : "");
      EXPECT_EQ(run.err, "") << Joined(args);
    }
  }
}

TEST_F(CliOutputTargetTest, AFullDeviceIsReportedWithTheReason) {
  std::string reason;
  const int own = testing::FullDeviceNode(::testing::TempDir(), reason);
  const int dev_full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(dev_full, 0);
  for (const int fd : {own, dev_full}) {
    if (fd < 0) continue;
    ExpectEveryCommandSays(fd, "the disk is full");
    ::close(fd);
  }
  if (own < 0) GTEST_SKIP() << "only /dev/full was tried: " << reason;
}

TEST_F(CliOutputTargetTest, AFileThatRefusesWritesIsPermissionDenied) {
  const int fd = testing::SealedFile();
  ASSERT_GE(fd, 0) << std::strerror(errno);
  ExpectEveryCommandSays(fd, "permission denied");
  ::close(fd);
}

// `batch FILE >> FILE` would read its own answers back for ever: it is refused before anything
// is read, and the file stays as it was, byte for byte.
TEST_F(CliOutputTargetTest, BatchNeverWritesIntoItsOwnInput) {
  const std::string before = ReadAll(cases_);
  for (const bool from_standard_input : {false, true}) {
    const int out = ::open(cases_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(out, 0);
    ChildRun run;
    if (from_standard_input) {
      const int in = ::open(cases_.c_str(), O_RDONLY | O_CLOEXEC);
      run = testing::RunWithStandardOutput(TORVANE_CLI_PATH, {"batch", "-"}, out, false, in);
      ::close(in);
      EXPECT_EQ(run.err,
                "torvane-cli: standard input: it is also the standard output the answers would "
                "be written to\n");
    } else {
      run = Run({"batch", cases_}, out);
      EXPECT_EQ(run.err, "torvane-cli: " + cases_ +
                             ": it is also the standard output the answers would be written to\n");
    }
    ::close(out);
    EXPECT_EQ(run.status, 7);
    EXPECT_EQ(ReadAll(cases_), before);
  }
  // Into another file it answers as always.
  const std::string answers = ::testing::TempDir() + "/torvane-output-answers.jsonl";
  const int out = ::open(answers.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(out, 0);
  const ChildRun run = Run({"batch", cases_}, out);
  ::close(out);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(answers).rfind("{\"line\":1,\"status\":\"ok\",", 0), 0u);
}

}  // namespace
}  // namespace torvane::cli
