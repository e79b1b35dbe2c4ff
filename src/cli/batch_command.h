// torvane-cli batch [FILE|-]: one `leak` case a line as a JSON object (JSON Lines), keys named
// like the leak options, numbers as JSON numbers or strings; one answer a line in the order of
// the input: the `leak` JSON answer with "line" and "status". A line that cannot be taken gets
// its status and a message, and the batch goes on.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace torvane::cli {

// The longest line a batch takes: a case is a few hundred bytes.
inline constexpr size_t kMaxBatchLineBytes = 1 << 20;

enum class LineRead { kLine, kTooLong, kEnd, kFailed };

// Reads the next line of a batch into line, without its end ("\n" or "\r\n"): kLine, or kEnd
// when the input has ended. A line longer than max_bytes is read to its end but not kept
// (kTooLong): no input, not even one without line ends, makes the batch hold more.
LineRead ReadBatchLine(std::streambuf& buffer, std::string& line,
                       size_t max_bytes = kMaxBatchLineBytes);

// standard_input is read for "-" and when no FILE is given. Exit code 0 once every line has been
// read (whatever the cases gave), 7 when the input cannot be read or the answer not written.
int BatchCommand(const std::vector<std::string>& args, std::istream& standard_input,
                 std::ostream& out);

// The answer line of one input line (without its line end).
std::string BatchAnswer(const std::string& line, long long line_number);

}  // namespace torvane::cli
