#include "app/start_arguments.h"

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

}  // namespace torvane
