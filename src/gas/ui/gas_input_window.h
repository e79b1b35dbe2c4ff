// The gas analysis window frmGasInput, caption "Gas Data - " + the gas file title: 30 rows of
// a component code and a mole fraction in three groups of ten, the total mole fraction and
// molecular weight, the section selector optNumFile, and Calculate, "Use File n", Save and
// Close. The window binds its controls to GasAnalysisModel and shows the two total warnings
// (GasWarningDialog) for it.
//
// The window is modal. "Enter new gases" hides it without closing it: its modal run ends, the
// window and its state stay, and it can be run again as it was (GasInput::ChangeGases).
// Closing it by its close box or Escape is the Close command, with its prompts.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "gas/gas_analysis_model.h"
#include "gas/gas_warnings.h"
#include "gas/gas_window_hooks.h"
#include "gas/ui/focus_return.h"
#include "gas/ui/gas_dialog_runner.h"

class QLabel;
class QPushButton;

namespace orvell {
class OrvellList;
}

namespace torvane {

class NumericBox;
class TextBox;

class GasInputWindow : public QDialog, private GasWarningPrompter, private GasWindowHooks {
  Q_OBJECT

 public:
  struct Options {
    // Where the gas file dialogs start: the program's folder.
    std::string program_folder;
    // The main window's "&Labyrinth Leakage" command.
    std::function<void(bool)> set_laby_command_enabled;
    // Runs the warning dialogs; empty runs them with exec().
    GasDialogRunner run_dialog;
  };

  GasInputWindow(CaseContext& context, const UiServices& services, Options options,
                 QWidget* parent = nullptr);
  ~GasInputWindow() override;

  // The window opens: the model's opening steps, then the controls show it. Call once, before
  // the window is first shown.
  void Open();

  // True once the Close command has closed the window; false while it is open or hidden by
  // "Enter new gases".
  bool closed() const { return closed_; }
  // True while "Enter new gases" keeps the window hidden.
  bool hidden_for_new_gases() const { return hidden_for_new_gases_; }
  // The window is run again after "Enter new gases" hid it.
  void PrepareToShowAgain() { hidden_for_new_gases_ = false; }

  GasAnalysisModel& model() { return *model_; }

  QLabel* row_number(int row) const { return rows_.at(Index(row)).number; }
  TextBox* code_box(int row) const { return rows_.at(Index(row)).code; }
  NumericBox* fraction_box(int row) const { return rows_.at(Index(row)).fraction; }
  // The headings "No.", "Gas Name", "Mol Fraction" of group 0..2.
  std::array<QLabel*, 3> headings(int group) const { return headings_.at(Index(group)); }
  TextBox* total_mol_fraction_box() const { return txt_total_mf_; }
  TextBox* total_mol_weight_box() const { return txt_total_mw_; }
  orvell::OrvellList* section_selector() const { return opt_num_file_; }
  QPushButton* save_button() const { return cmd_save_; }
  QPushButton* calc_button() const { return cmd_calc_; }
  QPushButton* close_button() const { return cmd_close_; }
  QPushButton* last_button() const { return cmd_last_; }

 public slots:
  // Escape and the close box: the Close command.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    QLabel* number = nullptr;
    TextBox* code = nullptr;
    NumericBox* fraction = nullptr;
  };
  static size_t Index(int i) { return static_cast<size_t>(i); }

  bool AskOutOfLimits() override;
  bool AskNotOne() override;
  bool Ask(GasWarning warning);
  void SetLabyCommandEnabled(bool enabled) override;
  void HideGasWindow() override;

  void BuildControls();
  void Refresh();
  bool LeaveCode(int row);
  bool LeaveFraction(int row);
  // A command given from the keyboard (an access key, Enter, Escape) leaves no box: the box
  // being typed in is taken first, as leaving it would. False when it refused its text.
  bool CommitPendingEdit();
  void SectionClicked();
  void SectionKeyUp();
  void CloseCommand();

  Options options_;
  std::unique_ptr<GasAnalysisModel> model_;
  FocusReturn focus_return_;
  bool closed_ = false;
  bool hidden_for_new_gases_ = false;

  std::array<Row, kGasSlots> rows_;
  std::array<std::array<QLabel*, 3>, 3> headings_{};
  TextBox* txt_total_mf_ = nullptr;
  TextBox* txt_total_mw_ = nullptr;
  orvell::OrvellList* opt_num_file_ = nullptr;
  QPushButton* cmd_save_ = nullptr;
  QPushButton* cmd_calc_ = nullptr;
  QPushButton* cmd_close_ = nullptr;
  QPushButton* cmd_last_ = nullptr;
};

}  // namespace torvane
