#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_output.h"
#include "cli/command_line.h"
#include "document/case_files.h"
#include "platform/standard_output.h"

namespace {

// The folder of this program, from the running executable.
std::string ProgramFolder() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  const std::string self(buf, static_cast<size_t>(n));
  const auto slash = self.find_last_of('/');
  return slash == std::string::npos ? "." : self.substr(0, slash);
}

// `report` runs in torvane-report beside this program, which links Qt's PDF writer; the
// calculation subcommands stay small and quick.
int RunReportProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::string program = ProgramFolder() + "/torvane-report";
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  out.flush();
  err.flush();
  execv(program.c_str(), argv.data());
  const int error = errno;
  torvane::cli::PrintError(err,
                           "report needs the program " + program +
                               ", which cannot be started: " + torvane::FileErrorReason(error));
  return torvane::cli::kExitFile;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  torvane::cli::SetReportCommand(RunReportProgram);
  std::vector<std::string> args(argv + 1, argv + argc);
  // Answers go through a buffer that keeps why a write failed, for the message that says so.
  torvane::DescriptorOutputBuffer answer_buffer(STDOUT_FILENO);
  std::ostream answer(&answer_buffer);
  const int code = torvane::cli::RunCli(args, answer, std::cerr);
  std::cerr.flush();
  return code;
}
