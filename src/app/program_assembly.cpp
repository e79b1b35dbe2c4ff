#include "app/program_assembly.h"

#include <QDialog>
#include <QTimer>

#include "app/labyrinth_rooms.h"
#include "app/main_window.h"
#include "document/case_context.h"
#include "document/case_files.h"
#include "gas/ui/gas_input.h"
#include "laby/ui/labyrinth_window.h"
#include "platform/ui/access_key_guard.h"
#include "platform/ui/activation_return.h"
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
  main_ = std::make_unique<MainWindow>(context, services, store, program_folder);
  new ActivationReturn(main_.get());
  new AccessKeyGuard(main_.get());

  GasInput::Options gas;
  gas.program_folder = program_folder;
  gas.set_laby_command_enabled = [this](bool enabled) { main_->SetLabyCommandEnabled(enabled); };
  gas.run_dialog = [this](QDialog& dialog) { return RunDialog(dialog); };
  gas.parent = main_.get();
  gas_ = std::make_unique<GasInput>(context, services, std::move(gas));

  MainWindowCommands commands;
  commands.new_gas_analysis = [this] { gas_->NewGasAnalysis(); };
  commands.change_gases = [this] { gas_->ChangeGases(); };
  commands.open_gas_file = [this](const std::optional<std::string>& path) {
    return gas_->OpenGasFile(path);
  };
  commands.show_stored_gas = [this] { gas_->ShowStoredGas(); };
  commands.open_labyrinth = [this] { OpenLabyrinth(); };
  main_->SetCommands(commands);
  main_->SetModalRunner([this](QDialog& dialog) { return RunDialog(dialog); });
}

Program::~Program() {
  // The gas window belongs to the main window: it goes first.
  gas_.reset();
}

int Program::RunDialog(QDialog& dialog) {
  return run_dialog_ ? run_dialog_(dialog) : dialog.exec();
}

void Program::SetDialogRunner(std::function<int(QDialog&)> runner) {
  run_dialog_ = std::move(runner);
}

void Program::OpenLabyrinth() {
  services_.busy.SetBusy(true);
  LabyrinthWindow window(context_, services_, *printer_,
                         LabyrinthRooms(context_, services_, *printer_), main_.get());
  RunDialog(window);
  services_.busy.SetBusy(false);
}

void Program::OpenFileAtStart(const std::string& path) {
  QTimer::singleShot(0, main_.get(), [this, path] { OpenFile(path); });
}

void Program::OpenFile(const std::string& path) {
  if (IsSettingsFileName(path)) {
    main_->OpenSettings(path);
  } else {
    main_->OpenGasFile(path);
  }
}

}  // namespace torvane
