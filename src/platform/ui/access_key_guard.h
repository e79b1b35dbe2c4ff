// Keeps access keys out of the input boxes. Alt with a letter is a command's access key; when it
// matches no enabled command (the command's button is disabled, or there is none), the window
// system hands the key on to the box that has the focus, which would type the letter: Alt+C in a
// gas box with Calculate disabled would enter "c". Such a key is taken here and does nothing, in
// every window of the application, for as long as owner lives.
#pragma once

#include <QObject>

class QKeyEvent;

namespace torvane {

class AccessKeyGuard : public QObject {
  Q_OBJECT

 public:
  explicit AccessKeyGuard(QObject* owner);

  // True for an Alt+key that a text input would type: Alt (without Ctrl or Meta, which some
  // keyboards use for AltGr) and a printable character.
  static bool IsUnmatchedAccessKey(const QKeyEvent& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace torvane
