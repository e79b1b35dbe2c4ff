#include "platform/question_service.h"

namespace torvane {

Answer ScriptedQuestionService::Ask(const Question& question) {
  asked_.push_back(question);
  if (answers_.empty()) {
    ++unexpected_;
    return Answer::kCancel;
  }
  const Answer a = answers_.front();
  answers_.pop_front();
  return a;
}

}  // namespace torvane
