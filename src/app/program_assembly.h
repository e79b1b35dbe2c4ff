// The program's windows put together: the main window and the windows its commands open, all
// working on the one case context.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QDialog;

namespace torvane {

struct CaseContext;
struct UiServices;
class SettingsStore;
class MainWindow;
class QtReportContext;
class QtPrintDialogRunner;
class LabyrinthReportPrinter;
class GasInput;

class Program {
 public:
  Program(CaseContext& context, UiServices& services, SettingsStore& store,
          std::string program_folder);
  ~Program();

  MainWindow& main_window() { return *main_; }

  // A file named on the command line, opened once the main window is up, as if through the
  // menu: a settings file (.trv) by Open Settings, any other by Open File of the gas input.
  void OpenFileAtStart(const std::string& path);
  // The same, at once.
  void OpenFile(const std::string& path);

  // "&Labyrinth Leakage": the labyrinth window, modal, with the busy pointer while it opens.
  void OpenLabyrinth();

  GasInput& gas_input() { return *gas_; }
  // Runs the modal windows of the gas input and the labyrinth window; tests drive them with it.
  // Empty runs them with exec().
  void SetDialogRunner(std::function<int(QDialog&)> runner);
  int RunDialog(QDialog& dialog);

 private:
  CaseContext& context_;
  UiServices& services_;
  // One report state for the whole run: the pictures are loaded by the first report.
  std::unique_ptr<QtReportContext> reports_;
  std::unique_ptr<QtPrintDialogRunner> print_dialog_;
  std::unique_ptr<LabyrinthReportPrinter> printer_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<GasInput> gas_;
  std::function<int(QDialog&)> run_dialog_;
};

}  // namespace torvane
