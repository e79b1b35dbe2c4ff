// torvane: start-up, the main window, and a case or gas file named on the command line.
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program_assembly.h"
#include "app/start_arguments.h"
#include "document/case_context.h"
#include "platform/qt_settings_store.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui_services.h"
#include "platform/version.h"

int main(int argc, char** argv) {
  // Help and version need no display: they are answered before Qt starts.
  const torvane::StartAction action =
      torvane::ReadStartArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (action != torvane::StartAction::kRun) {
    return torvane::WriteStartAnswer(STDOUT_FILENO, torvane::StartAnswerText(action), std::cerr);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Torvane");
  QApplication::setApplicationVersion(torvane::kVersionString);
  QApplication::setWindowIcon(QIcon(":/torvane/torvane.svg"));
  // Ties the windows to the desktop entry: its icon and name in task bars and window lists.
  QGuiApplication::setDesktopFileName(torvane::kDesktopFileName);
  // The windows' fonts by name: MS Sans Serif has a metric twin on this platform.
  QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");

  QCommandLineParser parser;
  parser.setApplicationDescription("Gas leakage through labyrinth shaft seals of compressors.");
  parser.addHelpOption();
  parser.addPositionalArgument("file", "A settings file (.trv) or gas file (.gas, .bnq) to open.");
  parser.process(app);

  torvane::QtMessageService messages;
  torvane::QtQuestionService questions;
  torvane::QtFileChooser files;
  torvane::QtBusyPointer busy;
  torvane::UiServices services{messages, questions, files, busy};
  torvane::QtSettingsStore store;

  torvane::CaseContext context(messages);
  torvane::StartUp(context, store);

  const std::string program_folder = QApplication::applicationDirPath().toStdString();
  torvane::Program program(context, services, store, program_folder);
  program.main_window().show();

  const QStringList args = parser.positionalArguments();
  if (!args.isEmpty())
    program.OpenFileAtStart(QDir::current().absoluteFilePath(args.front()).toStdString());
  return app.exec();
}
