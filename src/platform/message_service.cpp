#include "platform/message_service.h"

namespace torvane {

void RecordingMessageService::Show(const Message& message) { messages_.push_back(message); }

std::vector<std::string> RecordingMessageService::texts() const {
  std::vector<std::string> out;
  out.reserve(messages_.size());
  for (const auto& m : messages_) out.push_back(m.text);
  return out;
}

}  // namespace torvane
