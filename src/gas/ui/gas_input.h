// The gas analysis commands of the main window, with the windows they open. The main window
// owns one GasInput for the whole run and calls it from its menu commands:
//
//   "&New Gas Analysis"  ->  if (gas_input.NewGasAnalysis()) enable "Save Settings &As..."
//   "&Change Gases"      ->  gas_input.ChangeGases()
//   "&Open File"         ->  if (gas_input.OpenGasFile()) enable "Save Settings &As..."
//   "&Open Settings..."  ->  after the settings file has been read into the case (which sets
//                            ShowStoredGas): gas_input.ShowStoredGas()
//
// Every command returns once the gas analysis window is closed or hidden again. The window is
// modal. After "Enter new gases" it stays hidden with its state; "&Change Gases" shows that
// same window again, while a new analysis, a gas file and a settings file close it first
// (IsOpenOrHidden / Close).
//
// The windows run through Options::run_dialog (QDialog::exec() when empty), so that a test can
// drive each window and close it.
#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gas/ui/gas_dialog_runner.h"
#include "platform/ui_services.h"

class QWidget;

namespace torvane {

struct CaseContext;
class GasInputWindow;

class GasInput {
 public:
  struct Options {
    // Where the gas file dialogs start: the program's folder.
    std::string program_folder;
    // Enables or disables the main window's "&Labyrinth Leakage" command.
    std::function<void(bool)> set_laby_command_enabled;
    // Runs the modal windows; empty runs them with exec().
    GasDialogRunner run_dialog;
    // The window the dialogs belong to: the main window.
    QWidget* parent = nullptr;
  };

  GasInput(CaseContext& context, const UiServices& services, Options options);
  ~GasInput();
  GasInput(const GasInput&) = delete;
  GasInput& operator=(const GasInput&) = delete;

  // "&New Gas Analysis": the new-analysis dialog frmFileInput; on OK a new, empty analysis of
  // the chosen size in the gas analysis window. Returns GasDefined once it is all over.
  bool NewGasAnalysis();
  // "&Change Gases": the window hidden by "Enter new gases" again as it was, or else a new
  // window on the stored analysis, every section shown and calculated.
  void ChangeGases();
  // "&Open File": the gas file open dialog (or path, a file named on the command line); a file
  // read is shown and calculated in a new window. Returns true when a file was read (and its
  // window has closed).
  bool OpenGasFile(const std::optional<std::string>& path = std::nullopt);
  // After a settings file has been read: any gas window is closed and a new one shows and
  // calculates the stored analysis.
  void ShowStoredGas();

  // A gas analysis window exists: open, or hidden by "Enter new gases".
  bool IsOpenOrHidden() const { return window_ != nullptr; }
  bool IsHidden() const;
  // Closes the window, open or hidden, without any question; its state is dropped.
  void Close();

  // The window while it exists (for tests and the main window's own checks).
  GasInputWindow* window() const { return window_.get(); }

 private:
  // Opens a new gas analysis window (its opening steps run) and runs it.
  void OpenNewWindow();
  void RunWindow();

  CaseContext& context_;
  UiServices services_;
  Options options_;
  std::unique_ptr<GasInputWindow> window_;
};

}  // namespace torvane
