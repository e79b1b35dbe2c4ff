#include "app/program_assembly.h"

#include <QTimer>

#include "app/main_window.h"
#include "document/case_context.h"
#include "document/case_files.h"
#include "laby/ui/labyrinth_window.h"
#include "platform/ui_services.h"
#include "reports/qt/qt_report_context.h"
#include "reports/ui/labyrinth_report_printer.h"
#include "reports/ui/print_dialog_runner.h"

namespace torvane {

Program::Program(CaseContext& context, UiServices& services, SettingsStore& store,
                 std::string program_folder)
    : context_(context),
      services_(services),
      reports_(std::make_unique<QtReportContext>(QString::fromStdString(program_folder))),
      print_dialog_(std::make_unique<QtPrintDialogRunner>()),
      printer_(std::make_unique<LabyrinthReportPrinter>(reports_->services(), services.messages,
                                                        *print_dialog_, services.files)) {
  main_ = std::make_unique<MainWindow>(context, services, store, std::move(program_folder));
  MainWindowCommands commands;
  commands.open_labyrinth = [this] { OpenLabyrinth(); };
  main_->SetCommands(commands);
}

void Program::OpenLabyrinth() {
  services_.busy.SetBusy(true);
  LabyrinthWindow window(context_, services_, *printer_, main_.get());
  window.exec();
  services_.busy.SetBusy(false);
}

Program::~Program() = default;

void Program::OpenFileAtStart(const std::string& path) {
  QTimer::singleShot(0, main_.get(), [this, path] { OpenFile(path); });
}

void Program::OpenFile(const std::string& path) {
  if (IsSettingsFileName(path)) {
    main_->OpenSettings(path);
  } else {
    main_->OpenGasFile();
  }
}

}  // namespace torvane
