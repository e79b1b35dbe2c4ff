// torvane-cli: the calculator's subcommands, callable in-process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace torvane::cli {

// Runs one command line (without the program name) and returns the exit code. Answers go to
// out, messages and failures to err.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace torvane::cli
