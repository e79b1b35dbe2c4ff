#include "app/start_arguments.h"

#include <cerrno>
#include <ostream>

#include "document/case_context.h"
#include "document/case_files.h"
#include "platform/standard_output.h"
#include "platform/version.h"

namespace torvane {

StartAction ReadStartArguments(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h" || arg == "-?" || arg == "--help-all") {
      return StartAction::kHelp;
    }
    if (arg == "--version" || arg == "-v") return StartAction::kVersion;
  }
  return StartAction::kRun;
}

std::string StartHelpText() {
  return "Usage: torvane [options] [file]\n"
         "Gas leakage through labyrinth shaft seals of compressors.\n"
         "\n"
         "Options:\n"
         "  -h, --help     Displays help on commandline options.\n"
         "  -v, --version  Displays version information.\n"
         "  Qt's own options (-platform, -display, -style, ...) are passed to Qt.\n"
         "\n"
         "Arguments:\n"
         "  file           A settings file (.trv) or gas file (.gas, .bnq) to open.\n"
         "\n"
         "The calculations without windows: torvane-cli --help.\n";
}

std::string StartAnswerText(StartAction action) {
  switch (action) {
    case StartAction::kHelp:
      return StartHelpText();
    case StartAction::kVersion:
      return "Torvane " + VersionText(kVersionMajor, kVersionMinor, kVersionRevision) + "\n";
    case StartAction::kRun:
      break;
  }
  return std::string();
}

int WriteStartAnswer(int fd, const std::string& text, std::ostream& err) {
  const int error = WriteAll(fd, text);
  if (error == 0) return 0;
  if (error == EPIPE) return kExitBrokenPipe;
  err << "torvane: standard output could not be written: " << FileErrorReason(error) << '\n';
  err.flush();
  return kStartAnswerNotWritten;
}

}  // namespace torvane
