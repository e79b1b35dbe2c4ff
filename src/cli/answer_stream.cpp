#include "cli/answer_stream.h"

#include <cerrno>
#include <ostream>

#include "cli/cli_output.h"

namespace torvane::cli {

AnswerStream::AnswerStream(std::ostream& out) : out_(out) { text_.reserve(kPiece + 4096); }

void AnswerStream::Write() {
  errno = 0;
  out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
  text_.clear();
  if (!out_) AnswerNotWritten(out_, errno);
}

void AnswerStream::Finish() {
  Write();
  errno = 0;
  out_.flush();
  if (!out_) AnswerNotWritten(out_, errno);
}

}  // namespace torvane::cli
