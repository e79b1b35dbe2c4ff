// The command line of the torvane program, read before anything of the window system is started,
// so that --help and --version answer on a machine without a display.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace torvane {

// The application's id: the name of its desktop entry (without ".desktop") and of its AppStream
// metainfo, which the window system uses to find the program's icon and name.
inline constexpr const char kDesktopFileName[] = "org.torvane.Torvane";

enum class StartAction { kRun, kHelp, kVersion };

// What the arguments (without the program's name) ask for: --help (-h, -?, --help-all) or
// --version (-v) anywhere before "--"; anything else is left to the program's own parser and
// to Qt's options (-platform, -display, -style, ...).
StartAction ReadStartArguments(const std::vector<std::string>& args);

// The text of --help.
std::string StartHelpText();

// The text --help or --version prints: the help, or "Torvane Version 8.0.2" and a line end.
std::string StartAnswerText(StartAction action);

// Exit codes of --help and --version: 7 when the answer could not be written (with the reason on
// standard error, as torvane-cli says it), 141 without a word when the reader of a pipe has gone.
inline constexpr int kStartAnswerNotWritten = 7;

// Writes text to the file descriptor and returns the exit code; a failure is said on err as
// "torvane: standard output could not be written: the disk is full".
int WriteStartAnswer(int fd, const std::string& text, std::ostream& err);

}  // namespace torvane
