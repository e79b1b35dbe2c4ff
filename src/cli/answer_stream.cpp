#include "cli/answer_stream.h"

#include <ostream>

#include "cli/command_line.h"

namespace torvane::cli {

void CheckWritten(std::ostream& out) {
  if (!out) throw CliFailure{kExitFile, kOutputFailureMessage};
}

AnswerStream::AnswerStream(std::ostream& out) : out_(out) { text_.reserve(kPiece + 4096); }

void AnswerStream::Write() {
  out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
  text_.clear();
  CheckWritten(out_);
}

void AnswerStream::Finish() {
  Write();
  out_.flush();
  CheckWritten(out_);
}

}  // namespace torvane::cli
