#include "cli/cli_output.h"

#include <cerrno>
#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "document/case_files.h"
#include "platform/standard_output.h"

namespace torvane::cli {

void PrintError(std::ostream& err, std::string_view text) {
  size_t start = 0;
  do {
    const size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
      line.remove_suffix(1);
    }
    if (line.empty()) {
      err << kErrorPrefix.substr(0, kErrorPrefix.size() - 1) << '\n';
    } else {
      err << kErrorPrefix << line << '\n';
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  } while (start < text.size());
}

namespace {

// Marks a stream whose failure has been reported: it is reported once, by whoever met it first.
int ReportedIndex() {
  static const int index = std::ios_base::xalloc();
  return index;
}

}  // namespace

void FlushAnswer(std::ostream& out) {
  if (out.iword(ReportedIndex()) != 0) return;
  errno = 0;
  if (out.good()) out.flush();
  if (out.good()) return;
  const int err = errno;
  // The stream no longer takes anything: the message goes to standard error only.
  out.clear(std::ios::badbit);
  AnswerNotWritten(out, err);
}

void AnswerNotWritten(std::ostream& out, int err) {
  out.iword(ReportedIndex()) = 1;
  err = OutputError(out, err);
  // Nobody reads the answer any more: end as the programs of a pipeline do, without a word.
  if (err == EPIPE) throw CliFailure{kExitPipe, ""};
  throw CliFailure{kExitFile, "standard output could not be written" +
                                  (err != 0 ? ": " + FileErrorReason(err) : std::string())};
}

}  // namespace torvane::cli
