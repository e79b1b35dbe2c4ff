#include "platform/message_service.h"

#include <utility>

namespace torvane {

void RecordingMessageService::Show(const Message& message) {
  if (spare_.empty()) {
    messages_.push_back(message);
    return;
  }
  messages_.push_back(std::move(spare_.back()));
  spare_.pop_back();
  messages_.back() = message;
}

void RecordingMessageService::Clear() {
  for (Message& m : messages_) spare_.push_back(std::move(m));
  messages_.clear();
}

std::vector<std::string> RecordingMessageService::texts() const {
  std::vector<std::string> out;
  out.reserve(messages_.size());
  for (const auto& m : messages_) out.push_back(m.text);
  return out;
}

}  // namespace torvane
