// The batch command's reading of its input stream: line splitting, CR LF and LF line ends,
// blank lines, and the limit on a line's length.
//
// The first byte sets a small line limit (1 to 64 bytes) and how many bytes the stream hands
// over at a time (1 to 3, or all at once); the rest is the input. The lines read with the
// small limit must be exactly those a plain split at LF gives: each without its end and without
// one CR before it, or "too long" when what is left is longer than the limit. Then the whole
// batch runs on the input, with the calculator's own limit: one answer a line that is not
// blank, in the order of the input, each naming its line number and each valid JSON. Inputs
// naming a case file are not run: the fuzzer does not read files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch_command.h"
#include "json_check.h"

namespace {

using torvane::cli::LineRead;

[[noreturn]] void Fail() { std::abort(); }

// Hands over its text a few bytes at a time, as a pipe does.
class TricklingBuffer : public std::streambuf {
 public:
  TricklingBuffer(std::string_view text, size_t step) : text_(text), step_(step) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (next_ >= text_.size()) return traits_type::eof();
    const size_t n = std::min(step_, text_.size() - next_);
    chunk_.assign(text_.substr(next_, n));
    next_ += n;
    setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
    return traits_type::to_int_type(*gptr());
  }

 private:
  std::string_view text_;
  size_t step_;
  size_t next_ = 0;
  std::string chunk_;
};

struct ExpectedLine {
  LineRead read;
  std::string text;
  long long number;
};

// The lines of text split at LF, each without one CR before its LF (or before the end of the
// text), "too long" beyond limit bytes.
std::vector<ExpectedLine> SplitLines(std::string_view text, size_t limit) {
  std::vector<ExpectedLine> lines;
  long long number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    if (line.size() > limit) {
      lines.push_back({LineRead::kTooLong, "", number});
    } else {
      lines.push_back({LineRead::kLine, std::string(line), number});
    }
    start = next;
  }
  return lines;
}

void CheckLineReading(std::string_view input, size_t limit, size_t step) {
  TricklingBuffer buffer(input, step);
  const std::vector<ExpectedLine> expected = SplitLines(input, limit);
  std::string line;
  for (const ExpectedLine& e : expected) {
    const LineRead read = torvane::cli::ReadBatchLine(buffer, line, limit);
    if (read != e.read) Fail();
    if (read == LineRead::kLine && line != e.text) Fail();
  }
  if (torvane::cli::ReadBatchLine(buffer, line, limit) != LineRead::kEnd) Fail();
  if (torvane::cli::ReadBatchLine(buffer, line, limit) != LineRead::kEnd) Fail();
}

void CheckBatch(std::string_view input, size_t step) {
  TricklingBuffer buffer(input, step);
  std::istream in(&buffer);
  std::ostringstream out;
  if (torvane::cli::BatchCommand({"-"}, in, out) != 0) Fail();
  const std::string answers = out.str();
  if (!answers.empty() && answers.back() != '\n') Fail();
  size_t at = 0;
  for (const ExpectedLine& e : SplitLines(input, torvane::cli::kMaxBatchLineBytes)) {
    if (e.read == LineRead::kLine && e.text.find_first_not_of(" \t") == std::string::npos) {
      continue;  // a blank line has no answer
    }
    const size_t end = answers.find('\n', at);
    if (end == std::string::npos) Fail();
    const std::string_view answer = std::string_view(answers).substr(at, end - at);
    const std::string head = "{\"line\":" + std::to_string(e.number) + ",\"status\":\"";
    if (answer.substr(0, head.size()) != head) Fail();
    if (!torvane_fuzz::IsJson(answer)) Fail();
    at = end + 1;
  }
  if (at != answers.size()) Fail();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t limit = 1 + data[0] % 64;
  const size_t step = (data[0] >> 6) == 0 ? size : (data[0] >> 6);
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckLineReading(input, limit, step);
  if (input.find("case") == std::string_view::npos) CheckBatch(input, step);
  return 0;
}
