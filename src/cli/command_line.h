// Reading the calculator's command line: options, numbers and gas lists.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "document/gas_list.h"
#include "engine/gas_mixture.h"
#include "platform/standard_output.h"

namespace torvane::cli {

// Exit codes of the calculator.
enum ExitCode : int {
  kExitOk = 0,
  kExitUsage = 2,
  kExitGas = 3,
  kExitRange = 4,
  kExitStop = 5,
  kExitCalculation = 6,
  kExitFile = 7,
  // A closed pipe, ended quietly.
  kExitPipe = kExitBrokenPipe,
};

// Ends a command with an exit code and a one-line message for standard error (empty when the
// message has already been printed).
struct CliFailure {
  int code;
  std::string message;
};

class Options {
 public:
  // Parses "--name value", "--name=value" and the bare switches named in switches; anything
  // else not starting with "--" is a positional argument. Unknown names, repeated names and a
  // missing value are usage failures.
  static Options Parse(const std::vector<std::string>& args, const std::set<std::string>& valued,
                       const std::set<std::string>& switches);

  bool Has(const std::string& name) const { return values_.count(name) > 0; }
  bool Switch(const std::string& name) const { return switches_.count(name) > 0; }
  std::optional<std::string> Text(const std::string& name) const;
  // The value of a numeric option; text that is not a finite number is a usage failure.
  std::optional<double> Number(const std::string& name) const;
  double RequiredNumber(const std::string& name) const;
  const std::vector<std::string>& positional() const { return positional_; }
  // A command that takes no word of its own refuses any: a mistyped "-json" is no answer.
  void ExpectNoPositional() const;

 private:
  std::map<std::string, std::string> values_;
  std::set<std::string> switches_;
  std::vector<std::string> positional_;
};

using torvane::GasListEntry;

// Reads "CODE:FRACTION[,CODE:FRACTION...]" (1..30 entries, see ReadGasList). A malformed list
// is a failure with exit code 3; codes are not looked up here.
std::vector<GasListEntry> ParseGasList(const std::string& gas_list);

}  // namespace torvane::cli
