// torvane-cli show FILE and leak --case FILE: the raw record, its problems, and a case's own
// units and labyrinth data as defaults.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "cli/cli_test_support.h"
#include "document/case_files.h"
#include "document/document_test_support.h"
#include "document/unit_settings.h"
#include "engine/component_library.h"
#include "thermo/ideal_gas_heat.h"
#include "units/number_format.h"

namespace torvane {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::ScratchFolder;
using testing::ValidLabyData;
using testing::ValidRecord;
using testing::WriteBytes;

const std::string kExamples = TORVANE_EXAMPLES_DIR;

// The position of key in json, checking it appears exactly once.
size_t KeyAt(const std::string& json, const std::string& key) {
  const std::string quoted = "\"" + key + "\":";
  const size_t at = json.find(quoted);
  EXPECT_NE(at, std::string::npos) << key;
  EXPECT_EQ(json.find(quoted, at + 1), std::string::npos) << key;
  return at;
}

TEST(ShowTest, PrintsEveryFieldInOrderWithLabyData) {
  ScratchFolder dir;
  CaseRecord r = ValidRecord();
  r.reserved_int = ReservedInt{1, -2, 3, 4, {5, 6, 7, 8, 9}, 10, 11};
  r.reserved_array.d1[0] = 0.1;
  r.reserved_array.d7[74] = -2.5e-300;
  r.reserved_array.d5 = {1, 2, 3, 4, 5};
  const std::string path = dir.File("case.trv");
  WriteSettingsFile(path, r, ValidLabyData());
  const CliRun run = Cli({"show", path, "--json"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string& j = run.out;
  const char* keys[] = {"gas_code",         "mol_fraction", "component_id",     "component_count",
                        "last_gas_section", "unit_system",  "unit_system_name", "units",
                        "reserved_int",     "case_title",   "reserved_array",   "laby_data",
                        "problems"};
  size_t last = 0;
  for (const char* key : keys) {
    const size_t at = KeyAt(j, key);
    EXPECT_GT(at, last) << key;
    last = at;
  }
  const std::string blanks = "\"    \"";
  std::string section1 = "[\"CH4 \",\"C2H6\",\"N2  \"";
  for (int i = 3; i < 30; ++i) section1 += "," + blanks;
  section1 += "]";
  EXPECT_NE(j.find("{\"gas_code\":[" + section1 + "," + section1 + ",[" + blanks),
            std::string::npos);
  EXPECT_NE(j.find("\"mol_fraction\":[[0.85,0.1,0.05,0,0"), std::string::npos);
  EXPECT_NE(j.find("\"component_id\":[[1,2,60,0"), std::string::npos);
  EXPECT_NE(
      j.find("\"component_count\":3,\"last_gas_section\":1,\"unit_system\":1,"
             "\"unit_system_name\":\"SI\",\"units\":{\"IVNum\":3,\"PNum\":1,\"TNum\":2,"
             "\"HNum\":1,\"SNum\":1,\"CpNum\":1,\"VeNum\":1,\"SVNum\":1,\"MuNum\":1,"
             "\"VolNum\":1,\"WtNum\":3,\"HdNum\":1,\"HPNum\":1,\"LnNum\":1},"
             "\"reserved_int\":{\"R1\":1,\"R2\":-2,\"R3\":3,\"R4\":4,\"R5\":[5,6,7,8,9],"
             "\"R6\":10,\"R7\":11},\"case_title\":\"Test case                               \","
             "\"reserved_array\":{\"D1\":[0.1,0,"),
      std::string::npos);
  EXPECT_NE(j.find(",\"D5\":[1,2,3,4,5],\"D6\":["), std::string::npos);
  EXPECT_NE(j.find(",-2.5e-300]},\"laby_data\":[0,0.5,1,1.5,2,2.5,3,3.5,4,4.5,5,5.5,6,6.5,7],"
                   "\"problems\":[\"LabyData(1), the labyrinth type, is 0.5, not 0 or 1\"]}\n"),
            std::string::npos);
  // Array sizes: 5 x 30 codes, 75 + 90 + 75 + 90 + 5 + 75 + 75 reserved doubles.
  size_t codes = 0;
  for (size_t at = j.find("\"", 12); at < KeyAt(j, "mol_fraction"); at = j.find("\"", at + 1)) {
    ++codes;
  }
  EXPECT_EQ(codes, 2u * 150u);
}

TEST(ShowTest, OutOfModelValuesAndNonFiniteDoublesAreShownRaw) {
  ScratchFolder dir;
  CaseRecord r = ValidRecord();
  r.component_count = 31;
  r.unit_num[1] = 9;
  r.MolFraction(0, 0) = std::nan("");
  r.MolFraction(1, 0) = INFINITY;
  r.reserved_array.d2[0] = -INFINITY;
  r.case_title = FixedText<40>("Caf\xE9 \x80 \"q\"");
  LabyData d = ValidLabyData();
  d[3] = -INFINITY;
  const std::string path = dir.File("bad.trv");
  WriteSettingsFile(path, r, d);
  const CliRun run = Cli({"show", path, "--json"});
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string& j = run.out;
  // In JSON a NaN or infinity is null, its raw bits beside the array.
  EXPECT_NE(j.find("\"mol_fraction\":[[null,null,0.05,"), std::string::npos);
  EXPECT_NE(j.find("\"mol_fraction_bits\":[{\"index\":[0,0],\"bits\":\"7ff8000000000000\"},"
                   "{\"index\":[0,1],\"bits\":\"7ff0000000000000\"}],"),
            std::string::npos)
      << j;
  EXPECT_NE(j.find("\"D2\":[null,0,"), std::string::npos);
  EXPECT_NE(j.find("\"D2_bits\":[{\"index\":0,\"bits\":\"fff0000000000000\"}],\"D3\":"),
            std::string::npos);
  EXPECT_NE(j.find("\"component_count\":31,"), std::string::npos);
  EXPECT_NE(j.find("\"case_title\":\"Caf\u00E9 \u20AC \\\"q\\\"" + std::string(30, ' ') + "\""),
            std::string::npos);
  EXPECT_NE(j.find("\"laby_data\":[0,0.5,1,null,2,"), std::string::npos);
  EXPECT_NE(j.find("\"laby_data_bits\":[{\"index\":3,\"bits\":\"fff0000000000000\"}],"),
            std::string::npos);
  EXPECT_NE(j.find("\"problems\":[\"ComponentCount is 31, outside 0..30\","
                   "\"PNum is 9, outside 0..4\",\"MolFraction(0, 0) is NaN\","
                   "\"MolFraction(1, 0) is Infinity\",\"LabyData(3) is -Infinity\","
                   "\"LabyData(1), the labyrinth type, is 0.5, not 0 or 1\"]}"),
            std::string::npos);
}

TEST(ShowTest, NegativeZeroKeepsItsSign) {
  ScratchFolder dir;
  CaseRecord r = ValidRecord();
  r.reserved_array.d1[0] = -0.0;
  r.MolFraction(2, 0) = -0.0;
  LabyData d = ValidLabyData();
  d[kLabyType] = 0;
  d[kLabyFlow] = -0.0;
  const std::string path = dir.File("zero.trv");
  WriteSettingsFile(path, r, d);
  const CliRun json = Cli({"show", path, "--json"});
  ASSERT_EQ(json.code, 0) << json.err;
  EXPECT_NE(json.out.find("\"D1\":[-0.0,"), std::string::npos);
  EXPECT_NE(json.out.find("\"mol_fraction\":[[0.85,0.1,-0.0,0,"), std::string::npos) << json.out;
  EXPECT_NE(json.out.find(",5,-0.0,6,6.5,7],\"problems\":[]}"), std::string::npos) << json.out;
  const CliRun text = Cli({"show", path});
  EXPECT_NE(text.out.find("   3  \"N2  \"  id 60  -0\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find(" 5 -0 6 6.5 7\n"), std::string::npos) << text.out;
}

TEST(ShowTest, GasFileHasNoLabyData) {
  const CliRun run = Cli({"show", kExamples + "/natural-gas.gas", "--json"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out.find("laby_data"), std::string::npos);
  EXPECT_NE(run.out.find("\"problems\":[]}"), std::string::npos);
}

TEST(ShowTest, ShortFilesAreShownWithZeros) {
  ScratchFolder dir;
  WriteBytes(dir.File("empty.trv"), {});
  CliRun run = Cli({"show", dir.File("empty.trv"), "--json"});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.out.find("{\"gas_code\":[[\"\\u0000\\u0000\\u0000\\u0000\","), std::string::npos);
  EXPECT_NE(run.out.find("\"laby_data\":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],"
                         "\"problems\":[\"the file is empty\"]}"),
            std::string::npos);

  auto bytes = SettingsFileBytes(ValidRecord(), ValidLabyData());
  bytes.resize(6077);
  WriteBytes(dir.File("short.trv"), bytes);
  run = Cli({"show", dir.File("short.trv"), "--json"});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.out.find("\"laby_data\":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],\"problems\":[]}"),
            std::string::npos);
}

TEST(ShowTest, TextSummaryNamesTheProblems) {
  ScratchFolder dir;
  CaseRecord r = ValidRecord();
  r.last_gas_section = 4;
  WriteGasFile(dir.File("x.gas"), r);
  const CliRun run = Cli({"show", dir.File("x.gas")});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.out.find("Case title        \"Test case"), std::string::npos);
  EXPECT_NE(run.out.find("   2  \"C2H6\"  id 2  0.1\n"), std::string::npos);
  EXPECT_NE(run.out.find("Problems\n  LastGasSection is 4, outside 0..2\n"), std::string::npos);
}

TEST(ShowTest, FileThatCannotBeOpenedExitsSeven) {
  ScratchFolder dir;
  CliRun run = Cli({"show", dir.File("missing.trv")});
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.err, "torvane-cli: " + dir.File("missing.trv") + ": the file does not exist\n");
  EXPECT_EQ(run.out, "");
  run = Cli({"show", dir.path(), "--json"});
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.err, "torvane-cli: " + dir.path() + ": it is a folder, not a file\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing.trv")));
}

TEST(ShowTest, UsageErrors) {
  EXPECT_EQ(Cli({"show"}).code, 2);
  EXPECT_EQ(Cli({"show", "a.trv", "b.trv"}).code, 2);
  EXPECT_EQ(Cli({"show", "a.trv", "--pdf", "x"}).code, 2);
}

TEST(CaseGasTest, EveryCalculationTakesTheGasOfACaseFile) {
  const CliRun from_case =
      Cli({"characterise", "--case", kExamples + "/natural-gas.gas", "--json"});
  ASSERT_EQ(from_case.code, 0) << from_case.err;
  const CliRun from_list =
      Cli({"characterise", "--gas", "CH4:0.9,C2H6:0.05,C3H8:0.02,N2:0.02,CO2:0.01", "--json"});
  EXPECT_EQ(from_case.out, from_list.out);
  const CliRun z = Cli({"z", "--case", kExamples + "/natural-gas.trv", "--section", "0",
                        "--pressure", "1000", "--temperature", "560", "--json"});
  EXPECT_EQ(z.code, 0) << z.err;
  const CliRun tsat = Cli(
      {"tsat", "--case", kExamples + "/natural-gas.trv", "--section", "2", "--pressure", "100"});
  EXPECT_EQ(tsat.code, 2);
  EXPECT_EQ(tsat.err, "torvane-cli: --section: the case has gas sections 0..0, not 2\n");
}

TEST(LeakCaseTest, SettingsFileGivesTheStoredCalculation) {
  const SettingsFileContent c = ReadSettingsFile(kExamples + "/natural-gas.trv");
  const CliRun run = Cli({"leak", "--case", kExamples + "/natural-gas.trv", "--json"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "{\"status\":\"ok\",\"mass_flow\":" + RoundTrip(c.laby_data[kLabyFlow]) +
                         ",\"std_flow\":" + RoundTrip(c.laby_data[kLabyStdFlow]) +
                         ",\"std_flow_unit\":\"SCFM\",\"inlet_flow\":" +
                         RoundTrip(c.laby_data[kLabySuppplyFlow]) +
                         ",\"exhaust_flow\":" + RoundTrip(c.laby_data[kLabyVolumeFlow]) +
                         ",\"units\":{\"mass_flow\":\"lb/min\",\"volume_flow\":\"ft3/min\","
                         "\"length\":\"in\",\"pressure\":\"psia\",\"temperature\":\"deg F\"},"
                         "\"warnings\":[],\"messages\":[]}\n");
}

TEST(LeakCaseTest, FlagsOverrideTheCase) {
  const std::string trv = kExamples + "/natural-gas.trv";
  const CliRun stored = Cli({"leak", "--case", trv, "--json"});
  const CliRun fewer = Cli({"leak", "--case", trv, "--teeth", "6", "--json"});
  ASSERT_EQ(fewer.code, 0) << fewer.err;
  EXPECT_NE(stored.out, fewer.out);
  // The same case entered by hand.
  const CliRun by_hand =
      Cli({"leak",  "--case",           trv,     "--type",        "stepped", "--diameter",
           "8.5",   "--clearance",      "0.012", "--pressure-up", "850",     "--pressure-down",
           "300",   "--temperature-up", "120",   "--thickness",   "0.015",   "--spacing",
           "0.125", "--teeth",          "12",    "--flow-coef",   "0.67",    "--json"});
  EXPECT_EQ(by_hand.out, stored.out);
  const CliRun straight = Cli({"leak", "--case", trv, "--type", "straight", "--json"});
  EXPECT_EQ(straight.code, 0);
  EXPECT_NE(straight.out, stored.out);
}

// The ideal-gas cp0/cv0 of the example's natural gas at t (degR).
double ExampleGasGamma(double t) {
  std::vector<GasComponentSlot> slots;
  for (const auto& [code, x] :
       {std::pair{"CH4", 0.9}, std::pair{"C2H6", 0.05}, std::pair{"C3H8", 0.02},
        std::pair{"N2", 0.02}, std::pair{"CO2", 0.01}}) {
    slots.push_back({*FindComponent(code), x});
  }
  return IdealGasGamma(CharacteriseGas(slots), t);
}

TEST(LeakCaseTest, CompareTakesTheCaseAsLeakDoes) {
  const std::string trv = kExamples + "/natural-gas.trv";
  const SettingsFileContent c = ReadSettingsFile(trv);
  const CliRun run = Cli({"compare", "--case", trv, "--units", "si", "--json"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out.rfind("{\"units\":{\"mass_flow\":\"kg/hr\",\"volume_flow\":\"m3/hr\","
                          "\"length\":\"mm\",\"pressure\":\"Bar a\",\"temperature\":\"deg C\"},"
                          "\"gamma\":" +
                              RoundTrip(ExampleGasGamma(c.laby_data[kTempUp] + 459.67)) +
                              ",\"gamma_source\":\"gas\",\"real_gas\":false,\"legacy\":{"
                              "\"status\":\"ok\",",
                          0),
            0u)
      << run.out;
  const auto at = run.out.find("\"mass_flow\":", run.out.find("\"legacy\"")) + 12;
  EXPECT_NEAR(std::stod(run.out.substr(at)), c.laby_data[kLabyFlow] * 27.2154, 1e-6);
  // Station 0 is the stored upstream pressure in Bar a.
  const auto stations = run.out.find("\"cavity_pressures\":[") + 20;
  EXPECT_NEAR(std::stod(run.out.substr(stations)), c.laby_data[kPressUp] * 0.06895, 1e-9);
}

TEST(LeakCaseTest, OtherUnitsConvertTheStoredInputs) {
  const std::string trv = kExamples + "/natural-gas.trv";
  const CliRun si = Cli({"leak", "--case", trv, "--units", "si", "--json"});
  ASSERT_EQ(si.code, 0) << si.err;
  EXPECT_NE(si.out.find("\"units\":{\"mass_flow\":\"kg/hr\",\"volume_flow\":\"m3/hr\","
                        "\"length\":\"mm\",\"pressure\":\"Bar a\",\"temperature\":\"deg C\"}"),
            std::string::npos);
  const SettingsFileContent c = ReadSettingsFile(trv);
  const double kg_hr = c.laby_data[kLabyFlow] * 27.2154;
  const auto at = si.out.find("\"mass_flow\":") + 12;
  const double shown = std::stod(si.out.substr(at));
  EXPECT_NEAR(shown, kg_hr, kg_hr * 1e-9);
}

TEST(LeakCaseTest, GasFileNeedsTheLabyrinthInputs) {
  const std::string gas = kExamples + "/natural-gas.gas";
  CliRun run = Cli({"leak", "--case", gas});
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.err, "torvane-cli: missing option --type\n");
  run = Cli({"leak",  "--case",           gas,     "--type",        "stepped", "--diameter",
             "8.5",   "--clearance",      "0.012", "--pressure-up", "850",     "--pressure-down",
             "300",   "--temperature-up", "120",   "--thickness",   "0.015",   "--spacing",
             "0.125", "--teeth",          "12",    "--flow-coef",   "0.67",    "--json"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, Cli({"leak", "--case", kExamples + "/natural-gas.trv", "--json"}).out);
}

TEST(LeakCaseTest, SectionsAreLookedUpAgainFromTheirCodes) {
  ScratchFolder dir;
  CaseRecord r = ValidRecord();
  r.GasCode(1, 1) = FixedText<4>("C3H8");
  r.ComponentId(1, 1) = 0;  // a wrong stored id does not matter
  r.ComponentId(0, 0) = 99;
  const std::string path = dir.File("two.trv");
  LabyData d{};
  d[kLabyType] = 1;
  d[kSealClear] = 200;
  d[kSealRadClear] = 0.3;
  d[kPressUp] = 40;
  d[kPressDown] = 10;
  d[kTempUp] = 40;
  d[kToothThick] = 0.4;
  d[kToothSpacing] = 3.5;
  d[kToothNumber] = 8;
  d[kFlowCoef] = 0.67;
  WriteSettingsFile(path, r, d);
  const CliRun s0 = Cli({"leak", "--case", path, "--json"});
  const CliRun s1 = Cli({"leak", "--case", path, "--section", "1", "--json"});
  ASSERT_EQ(s0.code, 0) << s0.err;
  ASSERT_EQ(s1.code, 0) << s1.err;
  EXPECT_NE(s0.out, s1.out);
  EXPECT_EQ(Cli({"leak", "--case", path, "--section", "2"}).code, 2);
  EXPECT_EQ(Cli({"leak", "--case", path, "--section", "0.5"}).code, 2);
  EXPECT_EQ(Cli({"leak", "--section", "1", "--gas", "CH4:1"}).code, 2);
  EXPECT_EQ(Cli({"leak", "--case", path, "--gas", "CH4:1"}).code, 2);

  r.GasCode(2, 0) = FixedText<4>("XYZ");
  WriteSettingsFile(path, r, d);
  const CliRun unknown = Cli({"leak", "--case", path});
  EXPECT_EQ(unknown.code, 3);
  EXPECT_EQ(unknown.err, "torvane-cli: Gas XYZ is not in library\n");

  r.component_count = 0;
  WriteSettingsFile(path, r, d);
  EXPECT_EQ(Cli({"leak", "--case", path}).code, 3);
}

TEST(LeakCaseTest, AStoredLabyrinthTypeOtherThanStepOrStraightIsAFileProblem) {
  ScratchFolder dir;
  SettingsFileContent c = ReadSettingsFile(kExamples + "/natural-gas.trv");
  c.laby_data[kLabyType] = 2;
  const std::string path = dir.File("type2.trv");
  WriteSettingsFile(path, c.record, c.laby_data);
  // The program opens it; the calculator names the problem and computes nothing with it.
  EXPECT_NO_THROW(ReadSettingsFile(path));
  const CliRun show = Cli({"show", path});
  EXPECT_EQ(show.code, 0);
  EXPECT_NE(show.out.find("Problems\n  LabyData(1), the labyrinth type, is 2, not 0 or 1\n"),
            std::string::npos)
      << show.out;
  const CliRun leak = Cli({"leak", "--case", path, "--json"});
  EXPECT_EQ(leak.code, 7);
  EXPECT_EQ(leak.out, "{\"status\":\"file\",\"message\":\"" + path +
                          ": LabyData(1), the labyrinth type, is 2, not 0 or 1 (give --type to "
                          "compute with another)\",\"messages\":[]}\n");
  EXPECT_EQ(leak.err, "torvane-cli: " + path +
                          ": LabyData(1), the labyrinth type, is 2, not 0 or 1 (give --type to "
                          "compute with another)\n");
  const CliRun typed = Cli({"leak", "--case", path, "--type", "stepped", "--json"});
  EXPECT_EQ(typed.code, 0) << typed.err;
}

TEST(LeakCaseTest, UnreadableOrRefusedCaseExitsSeven) {
  ScratchFolder dir;
  CliRun run = Cli({"leak", "--case", dir.File("none.trv")});
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.err, "torvane-cli: " + dir.File("none.trv") + ": the file does not exist\n");
  CaseRecord r = ValidRecord();
  r.last_gas_section = 9;
  WriteSettingsFile(dir.File("bad.trv"), r, ValidLabyData());
  run = Cli({"leak", "--case", dir.File("bad.trv")});
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.err, "torvane-cli: " + dir.File("bad.trv") +
                         ": it holds values the program cannot use: LastGasSection is 9, "
                         "outside 0..2\n");
}

}  // namespace
}  // namespace torvane
