// Helpers shared by the option-list tests.
#pragma once

#include <gtest/gtest.h>

#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QImage>
#include <QtWidgets/QDialog>
#include <functional>
#include <string>

#include "orvell/orvell_error.h"
#include "orvell/orvell_list.h"

namespace orvell_test {

void SetScratchFolder(const QString& path);
// A fresh, empty folder under the scratch folder of this run.
QString NewScratchFolder();

// The user id an ordinary user's work runs as when the tests run as the superuser: nobody.
inline constexpr unsigned kOrdinaryUserId = 65534;

// Runs body as an ordinary user and returns what it returns: as the superuser in a child process
// that has given up its privileges for those of kOrdinaryUserId (the body must then do nothing
// but file work), otherwise in this process. A child that cannot become that user gives
// "(no ordinary user)".
std::string AsOrdinaryUser(const std::function<std::string()>& body);

// Expects call to raise orvell::InvalidPropertyValue with exactly this message.
#define EXPECT_INVALID_PROPERTY(call, expected_message)                         \
  do {                                                                          \
    try {                                                                       \
      call;                                                                     \
      ADD_FAILURE() << #call " raised nothing";                                 \
    } catch (const orvell::InvalidPropertyValue& e) {                           \
      EXPECT_EQ(e.number(), 0x800A017Cu);                                       \
      EXPECT_EQ(std::string(e.what()), std::string(expected_message)) << #call; \
    }                                                                           \
  } while (false)

// Collects the warnings the control logs ("OrvellList ...") while it lives.
class WarningLog {
 public:
  WarningLog();
  ~WarningLog();
  WarningLog(const WarningLog&) = delete;
  WarningLog& operator=(const WarningLog&) = delete;
  const QStringList& warnings() const { return warnings_; }

 private:
  static void Record(QtMsgType type, const QMessageLogContext& context, const QString& text);
  static WarningLog* current_;
  QStringList warnings_;
  QtMessageHandler previous_;
};

// Records the control's signals in order, as texts such as "Click", "KeyDown(16777237,0)".
class SignalLog {
 public:
  explicit SignalLog(orvell::OrvellList& list);
  const std::vector<std::string>& entries() const { return entries_; }
  std::string Joined() const;
  void Clear() { entries_.clear(); }

 private:
  // The connections end with the log.
  QObject context_;
  std::vector<std::string> entries_;
};

// A top-level window holding one control, shown and active, so that focus and shortcuts work.
class ShownList {
 public:
  ShownList(int width = 160, int height = 100);
  ~ShownList();
  QWidget& window() { return *window_; }
  orvell::OrvellList& list() { return *list_; }

 private:
  QWidget* window_;
  orvell::OrvellList* list_;
};

// Installs a dialog runner for one test (orvell/dialog_runner.h) and puts the failing one of the
// test main back afterwards.
class ScriptedRunner {
 public:
  explicit ScriptedRunner(std::function<int(QDialog&)> script);
  ~ScriptedRunner();
  int runs() const { return runs_; }
  const QStringList& titles() const { return titles_; }

 private:
  int runs_ = 0;
  QStringList titles_;
};

// A dialog's child by object name; a failure when there is none.
template <typename T>
T* Field(QDialog& dialog, const char* name) {
  T* field = dialog.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(field, nullptr) << name;
  return field;
}

void Click(QDialog& dialog, const char* button);

// Runs the dialog the way exec() would end: with the result set by its buttons.
int ResultAfter(QDialog& dialog, const std::function<void(QDialog&)>& steps);

// Caption "&Labyrinth Type"; items "0;&Stepped", "1;S&traight" and "2;Rock && roll" (disabled);
// item 1 selected.
void FillLabyrinthTypes(orvell::OrvellList& list);

// The item font's metrics, for computing where to click.
int ItemTextWidth(const orvell::OrvellList& list, const QString& caption);
int ItemTextHeight(const orvell::OrvellList& list);

}  // namespace orvell_test
