#include "optlist/optlist_test_support.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QUuid>
#include <QtGui/QFontMetrics>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include "orvell/dialog_runner.h"

namespace orvell_test {

namespace {
QString& Scratch() {
  static QString path;
  return path;
}
}  // namespace

void SetScratchFolder(const QString& path) { Scratch() = path; }

std::string AsOrdinaryUser(const std::function<std::string()>& body) {
  if (::geteuid() != 0) return body();
  int channel[2];
  if (::pipe(channel) != 0) return "(no pipe)";
  const pid_t child = ::fork();
  if (child < 0) return "(no child process)";
  if (child == 0) {
    ::close(channel[0]);
    std::string answer = "(no ordinary user)";
    if (::setgroups(0, nullptr) == 0 && ::setgid(kOrdinaryUserId) == 0 &&
        ::setuid(kOrdinaryUserId) == 0 && ::geteuid() == kOrdinaryUserId) {
      answer = body();
    }
    for (size_t done = 0; done < answer.size();) {
      const ssize_t n = ::write(channel[1], answer.data() + done, answer.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string answer;
  char buffer[512];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, n);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return answer;
}

QString NewScratchFolder() {
  const QString path = QDir(Scratch()).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
  QDir().mkpath(path);
  return path;
}

WarningLog* WarningLog::current_ = nullptr;

WarningLog::WarningLog() : previous_(qInstallMessageHandler(Record)) { current_ = this; }

WarningLog::~WarningLog() {
  qInstallMessageHandler(previous_);
  current_ = nullptr;
}

void WarningLog::Record(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtWarningMsg && text.startsWith(QStringLiteral("OrvellList ")) && current_) {
    current_->warnings_ << text;
  }
}

SignalLog::SignalLog(orvell::OrvellList& list) {
  using orvell::OrvellList;
  QObject::connect(&list, &OrvellList::Click, &context_, [this] { entries_.push_back("Click"); });
  QObject::connect(&list, &OrvellList::DblClick, &context_,
                   [this] { entries_.push_back("DblClick"); });
  QObject::connect(&list, &OrvellList::KeyDown, &context_, [this](int key, int shift) {
    entries_.push_back("KeyDown(" + std::to_string(key) + "," + std::to_string(shift) + ")");
  });
  QObject::connect(&list, &OrvellList::KeyPress, &context_, [this](int ascii) {
    entries_.push_back("KeyPress(" + std::to_string(ascii) + ")");
  });
  QObject::connect(&list, &OrvellList::KeyUp, &context_, [this](int key, int shift) {
    entries_.push_back("KeyUp(" + std::to_string(key) + "," + std::to_string(shift) + ")");
  });
  QObject::connect(&list, &OrvellList::OVGotFocus, &context_,
                   [this] { entries_.push_back("OVGotFocus"); });
  QObject::connect(&list, &OrvellList::OVLostFocus, &context_,
                   [this] { entries_.push_back("OVLostFocus"); });
}

std::string SignalLog::Joined() const {
  std::string all;
  for (const std::string& e : entries_) {
    if (!all.empty()) all += " ";
    all += e;
  }
  return all;
}

ShownList::ShownList(int width, int height) : window_(new QWidget) {
  auto* layout = new QVBoxLayout(window_);
  layout->setContentsMargins(0, 0, 0, 0);
  list_ = new orvell::OrvellList(window_);
  list_->setFixedSize(width, height);
  layout->addWidget(list_);
  window_->show();
  QApplication::setActiveWindow(window_);
  EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
}

ShownList::~ShownList() { delete window_; }

ScriptedRunner::ScriptedRunner(std::function<int(QDialog&)> script) {
  orvell::SetDialogRunner([this, script](QDialog& dialog) {
    ++runs_;
    titles_.push_back(dialog.windowTitle());
    return script(dialog);
  });
}

ScriptedRunner::~ScriptedRunner() {
  orvell::SetDialogRunner([](QDialog& dialog) {
    ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
    return static_cast<int>(QDialog::Rejected);
  });
}

void Click(QDialog& dialog, const char* button) {
  QPushButton* b = Field<QPushButton>(dialog, button);
  if (b) b->click();
}

int ResultAfter(QDialog& dialog, const std::function<void(QDialog&)>& steps) {
  dialog.setResult(-1);
  steps(dialog);
  return dialog.result();
}

void FillLabyrinthTypes(orvell::OrvellList& list) {
  list.setCaption(QStringLiteral("&Labyrinth Type"));
  list.setContents(QStringLiteral("0;&Stepped\r\n1;S&traight\r\n2;Rock && roll"));
  list.setListIndex(1);
  list.setItemEnabled(2, false);
}

int ItemTextWidth(const orvell::OrvellList& list, const QString& caption) {
  return QFontMetrics(list.ItemFont(), const_cast<orvell::OrvellList*>(&list))
      .size(Qt::TextSingleLine | Qt::TextShowMnemonic, caption)
      .width();
}

int ItemTextHeight(const orvell::OrvellList& list) {
  return QFontMetrics(list.ItemFont(), const_cast<orvell::OrvellList*>(&list)).height();
}

}  // namespace orvell_test
