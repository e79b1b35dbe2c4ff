// frmLaby, the labyrinth window: the seal geometry, operating conditions and flow coefficient of
// a labyrinth, Calculate, the results in the user's units, and Print / Export PDF of the
// labyrinth report. The window binds its controls to LabyrinthForm, which holds every rule.
//
// The main window owns the report printer (with the report context and the print dialog) and
// opens this window modally for "&Labyrinth Leakage", with the busy pointer set and the hooks
// of the windows it opens beside itself (labyrinth_window_hooks.h):
//
//   services.busy.SetBusy(true);
//   LabyrinthWindow window(context, services, report_printer, hooks, this);
//   window.exec();
//
// The window resets the busy pointer when it becomes active. Everything it changes in the case
// (LabyData after a successful calculation, LabyTitle and CaseTitle) is in the context when
// exec() returns.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "laby/labyrinth_form.h"
#include "laby/ui/labyrinth_window_hooks.h"

class QLabel;
class QPushButton;

namespace orvell {
class OrvellList;
}

namespace torvane {

struct CaseContext;
struct UiServices;
class LabyrinthReportPrinter;
class NumericBox;
class TextBox;

class LabyrinthWindow : public QDialog {
  Q_OBJECT

 public:
  LabyrinthWindow(CaseContext& context, UiServices& services, LabyrinthReportPrinter& printer,
                  LabyrinthWindowHooks hooks, QWidget* parent = nullptr);
  ~LabyrinthWindow() override;

  // The input box of a field (for the main window's tests and tools).
  NumericBox* InputBox(LabyField field) const;

 public slots:
  void done(int result) override;

 protected:
  bool event(QEvent* event) override;

 private:
  // The button of a window beside this one: enabled after a successful calculation, or for a
  // calculated gas.
  enum class RoomEnabling { kAfterCalculation, kCalculatedGas };
  struct RoomButton {
    QPushButton* button = nullptr;
    RoomEnabling enabling = RoomEnabling::kAfterCalculation;
  };

  // An input box and the exact value the program put into it. A pressure box shows its value
  // rounded to the pressure unit's decimals; a value the user has not edited is read back
  // exactly as it was set, so that opening the window and calculating never rounds a stored
  // input.
  struct Input {
    LabyField field = LabyField::kNone;
    NumericBox* box = nullptr;
    QLabel* unit = nullptr;
    std::optional<double> held;
  };

  void BuildForm();
  void LoadRecord();
  void ShowInput(Input& input, double value);
  std::optional<double> ReadInput(const Input& input) const;
  Input& InputOf(LabyField field);
  void UpdateButtons();

  void BoxLeft(Input& input);
  void Calculate();
  void ShowResults(const LabyResults& results);
  void Print();
  void ExportPdf();
  // The type and every input box as they stand.
  LabyEntries Entries() const;
  void OpenStudy();
  void FocusInput(LabyField field);

  CaseContext& context_;
  UiServices& services_;
  LabyrinthReportPrinter& printer_;
  LabyrinthWindowHooks hooks_;
  LabyrinthForm form_;

  TextBox* txtTitle_ = nullptr;
  QLabel* lblGasSection_ = nullptr;
  QLabel* lblStoredResults_ = nullptr;
  orvell::OrvellList* optLabyType_ = nullptr;
  std::array<Input, 9> inputs_{};
  NumericBox* txtLabyFlow_ = nullptr;
  NumericBox* txtLabyFlowStd_ = nullptr;
  NumericBox* txtLabySupplyFlow_ = nullptr;
  NumericBox* txtLabyVolumeFlow_ = nullptr;
  QLabel* untLabyFlowStd_ = nullptr;
  QPushButton* cmdCalc_ = nullptr;
  QPushButton* cmdPrint_ = nullptr;
  QPushButton* cmdExportPdf_ = nullptr;
  std::vector<RoomButton> rooms_;
  QPushButton* cmdClose_ = nullptr;

  // Set while the window itself moves the focus or runs a check, and once it is closing: a box
  // left then is not checked.
  bool moving_focus_ = false;
  bool closing_ = false;
};

}  // namespace torvane
