// torvane-report: the `report` subcommand of torvane-cli, in a program of its own because it
// needs Qt's PDF writer. Usage: torvane-report FILE.trv --pdf OUT.pdf
#include <unistd.h>

#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/report_command.h"
#include "platform/standard_output.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  torvane::cli::SetReportCommand(torvane::cli::RunReportCommand);
  std::vector<std::string> args = {"report"};
  args.insert(args.end(), argv + 1, argv + argc);
  torvane::DescriptorOutputBuffer answer_buffer(STDOUT_FILENO);
  std::ostream answer(&answer_buffer);
  const int code = torvane::cli::RunCli(args, answer, std::cerr);
  std::cerr.flush();
  return code;
}
