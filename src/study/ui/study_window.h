// The study window: one or two inputs of the labyrinth window varied over a range from their
// current values, the study run with a progress bar and Cancel once it takes longer than half a
// second, the plots of leakage mass flow and standard flow, the list of failed points, a table
// of every point, and the export of the points (CSV) and the plots (PNG or PDF). With
// "Classical methods" checked, every point also gets the mass flows of Martin, Martin-Vermes
// and tooth by tooth (the gamma of its box: the gas's own at each point's upstream temperature
// until a value is given; with "Real gas", Martin and Martin-Vermes take Z at each point's
// upstream state): dashed curves on the mass-flow plot and columns of the table and the CSV.
//
// The labyrinth window opens it modally with its inputs as they stand:
//
//   StudyWindow study(context, services, inputs, this);
//   study.exec();
//
// It reads the case (units, current gas, gas file title) and changes nothing in it: every point
// is calculated on a copy of the gas, its messages recorded for the table.
#pragma once

#include <QDialog>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "laby/labyrinth_calculation.h"
#include "methods/gamma_choice.h"
#include "methods/ui/gamma_box.h"
#include "study/study_form.h"

class QByteArray;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace torvane {

struct CaseContext;
struct UiServices;
class NumericBox;
class StudyPlotView;
class StudyTableModel;

inline constexpr const char kStudyWindowCaptionPrefix[] = "Labyrinth Leakage Study - ";

class StudyWindow : public QDialog {
  Q_OBJECT

 public:
  StudyWindow(const CaseContext& context, UiServices& services, const LabyInputs& current,
              QWidget* parent = nullptr);
  ~StudyWindow() override;

  // How long a run goes before its progress bar and Cancel button show (half a second).
  void SetProgressDelay(std::chrono::milliseconds delay) { progress_delay_ = delay; }
  // The study last run (nothing before the first run).
  const StudyRun* run() const { return run_.get(); }
  StudyPlotView* plots() const { return plots_; }

 public slots:
  void done(int result) override;

 signals:
  // A slice of points has been calculated (for tests and tools watching a run).
  void progressed(qint64 done, qint64 total);

 private:
  // A range box and the exact value the window put into it, read back as it was set until the
  // user edits the box.
  struct RangeBox {
    NumericBox* box = nullptr;
    std::optional<double> held;
  };

  void BuildForm();
  void VariableChosen(int row);
  void SetBox(RangeBox& box, double value);
  std::optional<double> ReadBox(const RangeBox& box) const;
  void Focus(StudyBox box);
  void Run();
  void Cancel();
  void ShowResults();
  void UpdateButtons();
  void ExportCsv();
  void ExportPicture();
  // The lines that name the case, the gas, the fixed and varied inputs and the count of points.
  std::vector<std::string> ExportHeading() const;
  // The exported picture (PNG) and pages (PDF) of the study last run.
  QByteArray PictureBytes() const;
  QByteArray PdfBytes() const;

  const CaseContext& context_;
  UiServices& services_;
  LabyInputs current_;
  GammaChoice gamma_;  // the gas's gamma at the starting inputs to start
  std::chrono::milliseconds progress_delay_{500};

  QComboBox* cboVariable1_ = nullptr;
  QComboBox* cboVariable2_ = nullptr;
  RangeBox from1_, to1_, from2_, to2_;
  QSpinBox* spnCount1_ = nullptr;
  QSpinBox* spnCount2_ = nullptr;
  QCheckBox* chkMethods_ = nullptr;
  GammaBox gamma_box_{};
  QCheckBox* chkRealGas_ = nullptr;
  QPushButton* cmdRun_ = nullptr;
  QProgressBar* prgStudy_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QLabel* lblSummary_ = nullptr;
  QTabWidget* tabResults_ = nullptr;
  StudyPlotView* plots_ = nullptr;
  QLabel* lblFailed_ = nullptr;
  QListWidget* lstFailed_ = nullptr;
  QTableView* tblPoints_ = nullptr;
  StudyTableModel* model_ = nullptr;
  QPushButton* cmdExportCsv_ = nullptr;
  QPushButton* cmdExportPicture_ = nullptr;
  QPushButton* cmdClose_ = nullptr;

  std::unique_ptr<StudyRun> run_;
  bool running_ = false;
  // The window was asked to close while a study ran: it closes once the run has stopped.
  std::optional<int> close_after_run_;
};

}  // namespace torvane
