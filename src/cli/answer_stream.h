// Long answers written to the output as they are computed, in large pieces, with every write
// checked: an answer that cannot be written ends the command with exit code 7 (141 for a closed
// pipe).
#pragma once

#include <iosfwd>
#include <string>

namespace torvane::cli {

class AnswerStream {
 public:
  explicit AnswerStream(std::ostream& out);

  // The text still to be written; append to it.
  std::string& text() { return text_; }
  // Writes the text once it has grown to a large piece.
  void WriteWhenFull() {
    if (text_.size() >= kPiece) Write();
  }
  // Writes the rest and flushes the stream; raises CliFailure when anything failed.
  void Finish();

 private:
  static constexpr size_t kPiece = 1 << 16;
  void Write();

  std::ostream& out_;
  std::string text_;
};

}  // namespace torvane::cli
