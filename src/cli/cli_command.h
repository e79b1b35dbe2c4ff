// A subcommand of torvane-cli. Each command keeps its help beside its code: the lines it adds to
// the general usage, and the text `torvane-cli NAME --help` prints. A new command defines one
// CliCommand in its own file and adds its address to the list in cli_app.cpp.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace torvane::cli {

class StreamMessages;

// What a command writes to: its answer, its error lines, and the messages of the calculation
// (printed as error lines and kept for the JSON answer).
struct CliStreams {
  std::ostream& out;
  std::ostream& err;
  StreamMessages& messages;
};

struct CliCommand {
  std::string_view name;
  // The command's arguments after its name, for the usage lines: "GAS --pressure P". Lines after
  // the first are continued under it.
  std::string_view synopsis;
  // What the command does, in a sentence or two.
  std::string_view summary;
  // Its options, one "  --name VALUE  meaning" entry a line, as `NAME --help` lists them; the gas
  // source options (--gas, --case, --section) are added before them when takes_gas is set.
  std::string_view options;
  bool takes_gas = false;
  int (*run)(const std::vector<std::string>& args, CliStreams& streams) = nullptr;
  // The options of `leak` (units, type, geometry, conditions) come before the command's own.
  bool takes_leak_options = false;
  // The --units option of the gas commands comes after the gas source options.
  bool takes_units = false;
};

// The commands built on `leak`'s options, each defined in its own file.
extern const CliCommand kCompareCommand;
extern const CliCommand kDynamicsCommand;
extern const CliCommand kSweepCommand;
extern const CliCommand kBatchCommand;

// The text of `torvane-cli NAME --help`.
std::string CommandHelp(const CliCommand& command);

}  // namespace torvane::cli
