// The main window takes the keyboard again after every modal window closes, on a real X display
// under a window manager, with the keys and clicks a user makes (through the X server's test
// extension, so that they go where the window system sends them). Each path is repeated many
// times: the window system's own choice of the window it activates varies from run to run, and
// a failure in one run of eight must not pass.
//
// The program runs as torvane does, with its real message boxes. A second thread plays the user:
// it types and clicks through its own connection to the X server and looks at the windows
// through calls run on the program's thread.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "app/main_window.h"
#include "app/program_assembly.h"
#include "document/case_context.h"
#include "gas/ui/gas_input.h"
#include "gas/ui/gas_input_window.h"
#include "platform/qt_settings_store.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui_services.h"
#include "support/x_user.h"

namespace torvane {
namespace {

using namespace std::chrono_literals;
using testing::XUser;

constexpr int kRepetitions = 20;
// How long a user takes from the answer to the next key.
constexpr auto kUserPause = 250ms;

// Runs f on the program's thread and returns its result.
template <typename F>
auto OnProgramThread(F f) -> decltype(f()) {
  decltype(f()) result{};
  QMetaObject::invokeMethod(
      qApp, [&] { result = f(); }, Qt::BlockingQueuedConnection);
  return result;
}

// Polls condition on the program's thread until it holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 5000ms) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (OnProgramThread([&] { return condition(); })) return true;
    std::this_thread::sleep_for(20ms);
  }
  return false;
}

QString NameOf(QWidget* w) {
  if (auto* box = qobject_cast<QMessageBox*>(w)) return "message box \"" + box->text() + "\"";
  return w ? w->objectName() + " \"" + w->windowTitle() + "\"" : QStringLiteral("none");
}

// What a failed step found: the active window, the modal window on top and the gas window.
QString Windows(Program& program) {
  QString text = "active window: " + NameOf(QApplication::activeWindow()) +
                 ", modal: " + NameOf(QApplication::activeModalWidget());
  if (QWidget* gas = program.gas_input().window()) {
    text += ", gas window " + QString(gas->isVisible() ? "shown" : "hidden");
  }
  return text;
}

// The open menu of the menu bar, if it is the one named.
bool MenuOpen(const char* name) {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  return menu && menu->objectName() == QLatin1String(name) && menu->isVisible();
}

bool IsActiveModal(const char* name) {
  QWidget* modal = QApplication::activeModalWidget();
  return modal && modal->objectName() == QLatin1String(name) &&
         QApplication::activeWindow() == modal;
}

bool QuestionShown(const char* text) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  return box && box->text() == QLatin1String(text) && QApplication::activeWindow() == box;
}

// How the user answers the question that ends a path.
enum class Answer { kKeyNo, kMouseNo, kYesThenSaveNo, kCancelNewAnalysis };

class ActivationTest : public ::testing::TestWithParam<Answer> {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
      GTEST_SKIP() << "needs a real X display (QT_QPA_PLATFORM=xcb under xvfb-run)";
    }
    folder_ = QDir::tempPath() + "/torvane-activation-" + QString::number(::getpid());
    QDir(folder_).removeRecursively();
    QDir().mkpath(folder_);
  }
  void TearDown() override { QDir(folder_).removeRecursively(); }

  QString folder_;
};

// One path from the main window through the modal windows and back; empty when Alt+G then opens
// the Gas Input menu, else what went wrong.
std::string RunPath(XUser& user, Program& program, Answer answer) {
  MainWindow& main = program.main_window();
  unsigned long focus_before = 0;
  const auto fail = [&](const std::string& step) {
    return step + " (" + OnProgramThread([&] { return Windows(program); }).toStdString() + ")";
  };
  if (!WaitFor([&] { return QApplication::activeWindow() == &main; })) {
    return fail("the main window is not active at the start");
  }
  user.Key("g", true);
  if (!WaitFor([] { return MenuOpen("mnuGas"); })) return fail("Alt+G opened no menu at the start");
  user.Key("n");
  if (!WaitFor([] { return IsActiveModal("frmFileInput"); })) {
    return fail("New Gas Analysis opened no dialog");
  }
  if (answer == Answer::kCancelNewAnalysis) {
    user.Key("Escape");
  } else {
    user.Type("1");
    user.Key("Tab");
    user.Type("1");
    user.Key("Tab");
    user.Type("A");
    user.Key("Return");
    if (!WaitFor([] {
          return IsActiveModal("frmGasInput") && QApplication::focusWidget() &&
                 QApplication::focusWidget()->objectName() == QLatin1String("txtGasName_0");
        })) {
      return fail("the gas window did not open with the keyboard in its first box");
    }
    user.Type("CH4");
    user.Key("Escape");
    if (!WaitFor([] { return QuestionShown("Calculate section 1 gas data"); })) {
      return fail("Esc asked no question");
    }
    switch (answer) {
      case Answer::kKeyNo:
        user.Key("n");
        break;
      case Answer::kMouseNo: {
        const QPoint no = OnProgramThread([] {
          auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
          QAbstractButton* button = box ? box->button(QMessageBox::No) : nullptr;
          return button ? button->mapToGlobal(button->rect().center()) : QPoint();
        });
        user.Click(no.x(), no.y());
        break;
      }
      case Answer::kYesThenSaveNo:
        user.Key("y");
        if (!WaitFor([] { return QuestionShown("Save gas data"); })) {
          return fail("calculating asked no \"Save gas data\"");
        }
        focus_before = user.FocusWindow();
        user.Key("n");
        break;
      case Answer::kCancelNewAnalysis:
        break;
    }
  }
  if (!WaitFor([&] {
        return QApplication::activeModalWidget() == nullptr &&
               program.gas_input().window() == nullptr;
      })) {
    const QString ids = OnProgramThread([&] {
      QString text;
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible()) text += QString(" %1=%2").arg(NameOf(w)).arg(w->winId(), 0, 16);
      }
      return text;
    });
    return fail("the modal windows did not close; the keyboard was at " +
                QString::number(focus_before, 16).toStdString() + " before the last key, is at " +
                QString::number(user.FocusWindow(), 16).toStdString() + ";" + ids.toStdString());
  }
  std::this_thread::sleep_for(kUserPause);
  user.Key("g", true);
  if (!WaitFor([] { return MenuOpen("mnuGas"); }, 1500ms)) {
    return fail("Alt+G opened no menu after the windows closed");
  }
  user.Key("Escape");
  if (!WaitFor([] { return QApplication::activePopupWidget() == nullptr; })) {
    return fail("Esc did not close the menu");
  }
  return std::string();
}

// After a failure the user puts things right: every modal window goes and the main window is
// activated, so that the next run starts as the first did.
void Recover(Program& program) {
  OnProgramThread([&] {
    for (int k = 0; k < 10 && QApplication::activePopupWidget(); ++k) {
      QApplication::activePopupWidget()->close();
    }
    for (int k = 0; k < 10 && QApplication::activeModalWidget(); ++k) {
      QApplication::activeModalWidget()->hide();
    }
    program.main_window().activateWindow();
    return true;
  });
}

TEST_P(ActivationTest, AltGOpensTheMenuAfterTheModalWindowsClose) {
  QtMessageService messages;
  QtQuestionService questions;
  QtFileChooser files;
  QtBusyPointer busy;
  UiServices services{messages, questions, files, busy};
  QtSettingsStore store(folder_ + "/config");
  CaseContext context(messages);
  StartUp(context, store);
  Program program(context, services, store, TORVANE_PROGRAM_DIR);
  program.main_window().show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&program.main_window()))
      << "no window manager activates the main window";

  std::atomic<bool> done{false};
  std::vector<std::string> failures;
  std::thread player([&] {
    XUser user;
    if (!user.ready()) {
      failures.push_back("no connection to the X display");
    } else {
      for (int run = 1; run <= kRepetitions; ++run) {
        const std::string failure = RunPath(user, program, GetParam());
        if (!failure.empty()) {
          failures.push_back("run " + std::to_string(run) + ": " + failure);
          Recover(program);
        }
      }
    }
    done = true;
  });
  // The program's thread runs its windows, modal ones included, until the user is done.
  while (!done) QTest::qWait(20);
  player.join();
  EXPECT_TRUE(failures.empty()) << failures.size() << " of " << kRepetitions << " runs failed:\n"
                                << [&] {
                                     std::string all;
                                     for (const std::string& f : failures) all += f + "\n";
                                     return all;
                                   }();
}

INSTANTIATE_TEST_SUITE_P(Paths, ActivationTest,
                         ::testing::Values(Answer::kKeyNo, Answer::kMouseNo, Answer::kYesThenSaveNo,
                                           Answer::kCancelNewAnalysis),
                         [](const ::testing::TestParamInfo<Answer>& info) {
                           switch (info.param) {
                             case Answer::kKeyNo:
                               return "EscThenNoByKey";
                             case Answer::kMouseNo:
                               return "EscThenNoByMouse";
                             case Answer::kYesThenSaveNo:
                               return "EscThenYesThenSaveNo";
                             case Answer::kCancelNewAnalysis:
                               return "NewAnalysisCancelled";
                           }
                           return "";
                         });

}  // namespace
}  // namespace torvane
