// The main window frmGasMenu: the menus of every command, the company label, and the enabling
// of the commands over a run. Every other window is opened from here, modally.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/menu_state.h"
#include "app/settings_commands.h"

class QAction;
class QLabel;

namespace torvane {

struct CaseContext;
struct UiServices;
class SettingsStore;
class UnitsDialog;
class HelpWindow;

// The windows of the gas input and the labyrinth calculation, reached through the commands of
// the Gas Input and Calculate menus.
struct MainWindowCommands {
  // "&New Gas Analysis": the new-analysis dialog and, from its OK, the gas window.
  std::function<void()> new_gas_analysis;
  // "&Change Gases": the gas window on the stored analysis (or the hidden one again).
  std::function<void()> change_gases;
  // "&Open File": a gas file chosen (or the path given), read and shown; true when a file was
  // read.
  std::function<bool(const std::optional<std::string>& path)> open_gas_file;
  // After Open Settings: close the gas window if open, then show the stored analysis.
  std::function<void()> show_stored_gas;
  // "&Labyrinth Leakage".
  std::function<void()> open_labyrinth;
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(CaseContext& context, UiServices& services, SettingsStore& store,
             std::string program_folder, QWidget* parent = nullptr);
  ~MainWindow() override;

  void SetCommands(MainWindowCommands commands) { commands_ = std::move(commands); }

  // Enables or disables "&Labyrinth Leakage"; the gas window calls it when the last section is
  // calculated or stored data are shown.
  void SetLabyCommandEnabled(bool enabled);

  // The commands, as the menus run them.
  void OpenSettings(const std::optional<std::string>& path = std::nullopt);
  void SaveSettings();
  void SaveSettingsAs();
  void ShowUnits();
  void NewGasAnalysis();
  void ChangeGases();
  void OpenGasFile(const std::optional<std::string>& path = std::nullopt);
  void LabyrinthLeakage();
  void HelpContents();
  void HelpSearch();
  void HelpSupport();
  void ShowAbout();

  // Follows the run-time state after a modal window has closed (the window activation rule).
  void Activated();

  QAction* action(const char* object_name) const;
  const MenuState& menu_state() const { return menu_; }
  HelpWindow* help_window() const { return help_.get(); }
  int help_context() const { return help_context_; }
  // The dialog the units command shows (created on first use).
  UnitsDialog* units_dialog();
  // Runs each modal window; tests replace it so that nothing blocks.
  void SetModalRunner(std::function<int(QDialog&)> runner) { run_modal_ = std::move(runner); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QAction* AddAction(QMenu* menu, const char* name, const QString& caption,
                     void (MainWindow::*slot)());
  void UpdateActions();
  void ShowHelp(int context, bool search);

  CaseContext& context_;
  UiServices& services_;
  SettingsStore& store_;
  std::string program_folder_;
  SettingsCommands settings_;
  MainWindowCommands commands_;
  MenuState menu_;
  int help_context_ = 0;
  std::unique_ptr<UnitsDialog> units_;
  std::unique_ptr<HelpWindow> help_;
  std::function<int(QDialog&)> run_modal_;
};

// The help file beside the program: folder + "/Torvane.HLP".
std::string HelpFilePath(const std::string& program_folder);

}  // namespace torvane
