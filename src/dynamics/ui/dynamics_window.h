// frmDynamics, the rotordynamics window: the rotordynamic coefficients of the last successful
// labyrinth calculation over a range of rotor speeds. Its inputs are those beyond the
// labyrinth's (tooth height, where the teeth stand, preswirl, speeds, whirl ratio, gamma (the
// gas's own to start) or the real gas, the viscosity law, Jenny-Kanki); it plots K, k, C and c, the
// effective damping (with the zero line) and the whirl frequency ratio (with WFR = 1) against the
// speed and the swirl ratio along the cavities at a chosen speed, lists every speed in a table, and
// copies or exports the table (CSV), the plots (PNG or PDF) and the labyrinth report with a
// rotordynamics page.
//
// The labyrinth window opens it modally from "Rotordynamics...":
//
//   DynamicsWindow window(context, services, report_printer, this);
//   window.exec();
//
// It reads the labyrinth data record, the units and the current gas and changes nothing of the
// case. Every rule is in dynamics_form.h; the window binds.
#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "dynamics/dynamics_form.h"
#include "methods/gamma_choice.h"
#include "methods/ui/gamma_box.h"

class QCheckBox;
class QChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPainter;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace orvell {
class OrvellList;
}

namespace torvane {

struct CaseContext;
struct UiServices;
class LabyrinthReportPrinter;
class NumericBox;
class DynamicsTableModel;

class DynamicsWindow : public QDialog {
  Q_OBJECT

 public:
  DynamicsWindow(const CaseContext& context, UiServices& services, LabyrinthReportPrinter& printer,
                 QWidget* parent = nullptr);
  ~DynamicsWindow() override;

  // The calculation shown now; nothing before the first.
  const DynamicsResults* results() const { return results_ ? &*results_ : nullptr; }

 private:
  // A typed box and the exact value the window put into it, read back as it was set until the
  // user edits the box.
  struct Box {
    DynamicsBox id = DynamicsBox::kNone;
    NumericBox* box = nullptr;
    QLabel* unit = nullptr;
    std::optional<double> held;
  };

  void BuildForm();
  Box& BoxOf(DynamicsBox id);
  void SetBox(Box& box, std::optional<double> value);
  std::optional<double> ReadBox(const Box& box) const;
  void Focus(DynamicsBox id);
  void UpdateControls();
  void Calculate();
  void ShowResults();
  void ShowSwirl();
  void CopyTable();
  void ExportCsv();
  void ExportPicture();
  void Print();
  void ExportPdf();
  // The plots, two a row, into rect.
  void RenderPlots(QPainter& painter, const QRectF& rect) const;

  const CaseContext& context_;
  UiServices& services_;
  LabyrinthReportPrinter& printer_;
  LabyInputs inputs_;
  GammaChoice gamma_;  // the gas's gamma at the stored case to start
  std::optional<DynamicsResults> results_;

  QLabel* lblCase_ = nullptr;
  std::array<Box, 10> boxes_{};
  orvell::OrvellList* optTeethOn_ = nullptr;
  orvell::OrvellList* optViscosity_ = nullptr;
  QSpinBox* spnSpeeds_ = nullptr;
  QDoubleSpinBox* txtGamma_ = nullptr;
  GammaBox gamma_box_{};
  QCheckBox* chkRealGas_ = nullptr;
  QCheckBox* chkJennyKanki_ = nullptr;
  QPushButton* cmdCalc_ = nullptr;
  QLabel* lblSummary_ = nullptr;
  QTabWidget* tabResults_ = nullptr;
  QChartView* chtStiffness_ = nullptr;
  QChartView* chtDamping_ = nullptr;
  QChartView* chtEffectiveDamping_ = nullptr;
  QChartView* chtWhirlRatio_ = nullptr;
  QChartView* chtSwirl_ = nullptr;
  QComboBox* cboSwirlSpeed_ = nullptr;
  QLabel* lblNoSwirl_ = nullptr;
  QTableView* tblSpeeds_ = nullptr;
  DynamicsTableModel* model_ = nullptr;
  QPushButton* cmdCopy_ = nullptr;
  QPushButton* cmdExportCsv_ = nullptr;
  QPushButton* cmdExportPicture_ = nullptr;
  QPushButton* cmdPrint_ = nullptr;
  QPushButton* cmdExportPdf_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace torvane
