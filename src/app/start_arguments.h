// The command line of the torvane program, read before anything of the window system is started,
// so that --help and --version answer on a machine without a display.
#pragma once

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

}  // namespace torvane
