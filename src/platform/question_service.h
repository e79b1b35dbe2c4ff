// Questions to the user (Yes/No/Cancel and the like), answered by a person at the screen or, in
// tests, by a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_service.h"

namespace torvane {

enum class Answer { kYes, kNo, kCancel, kOk };
enum class QuestionButtons { kYesNoCancel, kYesNo, kOkCancel };

struct Question {
  std::string text;
  QuestionButtons buttons = QuestionButtons::kYesNoCancel;
  MessageIcon icon = MessageIcon::kQuestion;
  std::string title = kApplicationTitle;

  bool operator==(const Question&) const = default;
};

class QuestionService {
 public:
  virtual ~QuestionService() = default;
  virtual Answer Ask(const Question& question) = 0;
};

// Answers from a prepared list, in order, and keeps every question asked. Asking more questions
// than answers were prepared answers kCancel and counts as unexpected.
class ScriptedQuestionService : public QuestionService {
 public:
  void Prepare(Answer answer) { answers_.push_back(answer); }
  Answer Ask(const Question& question) override;
  const std::vector<Question>& asked() const { return asked_; }
  int unexpected() const { return unexpected_; }
  bool exhausted() const { return answers_.empty(); }

 private:
  std::deque<Answer> answers_;
  std::vector<Question> asked_;
  int unexpected_ = 0;
};

}  // namespace torvane
