// Message boxes, questions, the file dialog and the busy pointer on screen.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <memory>

#include "platform/busy_pointer.h"
#include "platform/file_chooser.h"
#include "platform/message_service.h"
#include "platform/question_service.h"

class QWidget;

namespace torvane {

QString ToQString(const std::string& utf8);
std::string FromQString(const QString& text);

// Shows each message in a modal message box over the active window.
class QtMessageService : public MessageService {
 public:
  using MessageService::Show;
  void Show(const Message& message) override;
  // The box as it would be shown: title, text, icon and an OK button.
  static std::unique_ptr<QMessageBox> BuildBox(const Message& message, QWidget* parent = nullptr);
};

class QtQuestionService : public QuestionService {
 public:
  Answer Ask(const Question& question) override;
  static std::unique_ptr<QMessageBox> BuildBox(const Question& question, QWidget* parent = nullptr);
  static Answer ToAnswer(int standard_button);
};

class QtFileChooser : public FileChooser {
 public:
  std::optional<std::string> Choose(const FileDialogRequest& request) override;
  // The dialog as it would be shown, configured from the request.
  static std::unique_ptr<QFileDialog> BuildDialog(const FileDialogRequest& request,
                                                  QWidget* parent = nullptr);
};

// The application-wide override cursor.
class QtBusyPointer : public BusyPointer {
 public:
  void SetBusy(bool busy) override;
  bool busy() const override { return busy_; }

 private:
  bool busy_ = false;
};

}  // namespace torvane
