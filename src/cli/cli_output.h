// What the calculator writes besides its answers: error lines on standard error, and the check
// that an answer really reached standard output.
#pragma once

#include <iosfwd>
#include <string_view>

namespace torvane::cli {

inline constexpr std::string_view kErrorPrefix = "torvane-cli: ";

// Writes text to err, every line of it as "torvane-cli: " + the line without trailing blanks.
void PrintError(std::ostream& err, std::string_view text);

// Flushes out and raises CliFailure (exit 7) when anything written to it so far could not be
// written (a full disk, a closed pipe). Commands that stream their answer call it after each
// piece; RunCli calls it after every command.
void FlushAnswer(std::ostream& out);

// Raises the CliFailure (exit 7) of an answer that could not be written, with the reason of the
// errno value err ("standard output could not be written: the disk is full"); none for 0.
[[noreturn]] void AnswerNotWritten(int err);

}  // namespace torvane::cli
