// torvane-report: the `report` subcommand of torvane-cli, in a program of its own because it
// needs Qt's PDF writer. Usage: torvane-report FILE.trv --pdf OUT.pdf
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/report_command.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  torvane::cli::SetReportCommand(torvane::cli::RunReportCommand);
  std::vector<std::string> args = {"report"};
  args.insert(args.end(), argv + 1, argv + argc);
  const int code = torvane::cli::RunCli(args, std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  return code;
}
