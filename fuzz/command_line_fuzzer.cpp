// The calculator's command line: the bytes are split at NUL bytes into arguments and run as a
// whole command, in process, against a folder holding a gas file and a settings file. Whatever
// the arguments, the answer is one of the exit codes, every line on standard error starts with
// "torvane-cli: " and ends without blanks, no calculation prints a number that is not finite,
// and an answer asked for with --json is valid JSON (json_check.h). Each --gas value is also
// read as a gas list on its own: a list that reads is written back and reads again to the same
// entries.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/command_line.h"
#include "document/case_files.h"
#include "document/case_record.h"
#include "json_check.h"
#include "units/number_format.h"

namespace {

[[noreturn]] void Fail() { std::abort(); }

std::filesystem::path& Scratch() {
  static std::filesystem::path path;
  return path;
}

void RemoveScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(Scratch(), ignored);
}

// A methane case in English units: a gas file and a settings file with a stepped labyrinth.
void WriteCaseFiles() {
  torvane::CaseRecord record;
  record.component_count = 2;
  record.GasCode(0, 0) = torvane::FixedText<4>("CH4");
  record.GasCode(1, 0) = torvane::FixedText<4>("N2");
  record.MolFraction(0, 0) = 0.95;
  record.MolFraction(1, 0) = 0.05;
  torvane::LabyData laby{};
  laby[torvane::kSealClear] = 6;
  laby[torvane::kSealRadClear] = 0.012;
  laby[torvane::kPressUp] = 500;
  laby[torvane::kPressDown] = 100;
  laby[torvane::kTempUp] = 100;
  laby[torvane::kToothThick] = 0.02;
  laby[torvane::kToothSpacing] = 0.125;
  laby[torvane::kToothNumber] = 8;
  laby[torvane::kFlowCoef] = 0.67;
  torvane::WriteGasFile((Scratch() / "a.gas").string(), record);
  torvane::WriteSettingsFile((Scratch() / "a.trv").string(), record, laby);
}

void CheckGasList(const std::string& text) {
  std::vector<torvane::cli::GasListEntry> entries;
  try {
    entries = torvane::cli::ParseGasList(text);
  } catch (const torvane::cli::CliFailure& f) {
    if (f.code != torvane::cli::kExitGas || f.message.empty()) Fail();
    return;
  }
  if (entries.empty() || entries.size() > 30) Fail();
  std::string written;
  for (const auto& e : entries) {
    if (!std::isfinite(e.fraction)) Fail();
    written += (written.empty() ? "" : ",") + e.code + ":" + torvane::RoundTrip(e.fraction);
  }
  const auto again = torvane::cli::ParseGasList(written);
  if (again.size() != entries.size()) Fail();
  for (size_t k = 0; k < entries.size(); ++k) {
    if (again[k].code != entries[k].code) Fail();
    if (std::memcmp(&again[k].fraction, &entries[k].fraction, sizeof(double)) != 0) Fail();
  }
}

void CheckErrorLines(const std::string& err) {
  size_t start = 0;
  while (start < err.size()) {
    const size_t end = err.find('\n', start);
    if (end == std::string::npos) Fail();  // every line is ended
    const std::string line = err.substr(start, end - start);
    if (line.rfind("torvane-cli:", 0) != 0) Fail();
    if (!line.empty() && (line.back() == ' ' || line.back() == '\t')) Fail();
    start = end + 1;
  }
}

void CheckAnswer(const std::string& out) {
  // Numbers are printed with %g, the shortest round-trip form or a format pattern, and JSON
  // spells a double that is not finite "NaN" or "Infinity": none of these may appear as a word.
  std::string word;
  for (size_t k = 0; k <= out.size(); ++k) {
    const char c = k < out.size() ? out[k] : ' ';
    if (std::isalpha(static_cast<unsigned char>(c))) {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      continue;
    }
    if (word == "nan" || word == "inf" || word == "infinity") Fail();
    word.clear();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/tmp/torvane-cli-fuzz-XXXXXX";
  if (::mkdtemp(folder) == nullptr) Fail();
  Scratch() = folder;
  std::atexit(RemoveScratch);
  WriteCaseFiles();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::vector<std::string> args;
  std::string current;
  for (size_t k = 0; k < size; ++k) {
    if (data[k] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[k]);
    }
  }
  if (!current.empty() || size == 0) args.push_back(current);
  if (args.size() > 64) return 0;

  for (size_t k = 0; k + 1 < args.size(); ++k) {
    if (args[k] == "--gas") CheckGasList(args[k + 1]);
    if (args[k].rfind("--gas=", 0) == 0) CheckGasList(args[k].substr(6));
  }

  // Relative names in the arguments find the two case files; the fuzzer's own folder is back
  // before anything of it is written.
  const std::filesystem::path folder = std::filesystem::current_path();
  std::filesystem::current_path(Scratch());
  std::ostringstream out, err;
  const int code = torvane::cli::RunCli(args, out, err);
  std::filesystem::current_path(folder);
  switch (code) {
    case 0:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
      break;
    default:
      Fail();
  }
  CheckErrorLines(err.str());
  // The answers of the calculations are numbers and the program's own words; show prints the
  // texts of whatever file it was given, and the help texts speak of "infinite" doubles.
  const bool calculation = args[0] == "characterise" || args[0] == "z" || args[0] == "tsat" ||
                           args[0] == "leak" || args[0] == "compare" || args[0] == "sweep" ||
                           args[0] == "dynamics";
  const bool help = std::any_of(args.begin(), args.end(),
                                [](const std::string& a) { return a == "--help" || a == "-h"; });
  if (code == 0 && calculation && !help) CheckAnswer(out.str());
  const bool json = (calculation || args[0] == "show") &&
                    std::find(args.begin(), args.end(), "--json") != args.end();
  if (code == 0 && json && !help && !torvane_fuzz::IsJson(out.str())) Fail();
  return 0;
}
