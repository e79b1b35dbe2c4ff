// What the calculator writes besides its answers: error lines on standard error, and the check
// that an answer really reached standard output.
#pragma once

#include <iosfwd>
#include <string_view>

namespace torvane::cli {

inline constexpr std::string_view kErrorPrefix = "torvane-cli: ";

// Writes text to err, every line of it as "torvane-cli: " + the line without trailing blanks.
void PrintError(std::ostream& err, std::string_view text);

// Flushes out and raises CliFailure when anything written to it so far could not be written:
// exit 7 with the reason (a full disk), or exit 141 with no message when the reader of a pipe
// has gone. Commands that stream their answer call it after each piece; RunCli calls it after
// every command. A failure is raised once per stream.
void FlushAnswer(std::ostream& out);

// Raises the CliFailure of an answer that could not be written to out: the reason is the errno
// the stream's DescriptorOutputBuffer kept, else err. Exit 7 with "standard output could not be
// written: the disk is full" (no reason for 0); a closed pipe (EPIPE) ends quietly with 141.
[[noreturn]] void AnswerNotWritten(std::ostream& out, int err);

}  // namespace torvane::cli
