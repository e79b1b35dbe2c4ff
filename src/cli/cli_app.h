// torvane-cli: the calculator's subcommands, callable in-process.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace torvane::cli {

// Runs one command line (without the program name) and returns the exit code. Answers go to
// out, messages and failures to err.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The names of the subcommands, in the order the usage lists them.
std::vector<std::string> CommandNames();

// The `report` subcommand needs Qt's PDF writer; the program registers it at start so that the
// calculation subcommands stay free of it. Without one, `report` answers that it is not
// available in this build.
using SubCommand =
    std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)>;
void SetReportCommand(SubCommand command);

}  // namespace torvane::cli
