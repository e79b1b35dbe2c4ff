// Messages to the user: the one channel through which the logic speaks to the person at the
// screen. Windows supply a message-box implementation; the command-line calculator and the
// tests supply recording ones.
#pragma once

#include <string>
#include <vector>

namespace torvane {

// The application title: the main window's caption and the title of every message box that
// does not give its own.
inline constexpr const char kApplicationTitle[] = "Torvane \xC2\xAE";

enum class MessageIcon { kNone, kCritical, kQuestion, kExclamation, kInformation };

struct Message {
  std::string text;
  MessageIcon icon = MessageIcon::kNone;
  std::string title = kApplicationTitle;

  bool operator==(const Message&) const = default;
};

class MessageService {
 public:
  virtual ~MessageService() = default;
  // Shows the message with an OK button and returns once the user has acknowledged it.
  virtual void Show(const Message& message) = 0;

  void Show(const std::string& text, MessageIcon icon = MessageIcon::kNone) {
    Show(Message{text, icon, kApplicationTitle});
  }
};

// Keeps every message in order; used where no one is watching a screen.
class RecordingMessageService : public MessageService {
 public:
  using MessageService::Show;
  void Show(const Message& message) override;
  const std::vector<Message>& messages() const { return messages_; }
  std::vector<std::string> texts() const;
  // Forgets the messages. Their storage is kept for the next ones, so that a study recording
  // a few messages per point allocates nothing once under way.
  void Clear();

 private:
  std::vector<Message> messages_;
  std::vector<Message> spare_;  // cleared messages, their texts' storage to be reused
};

}  // namespace torvane
