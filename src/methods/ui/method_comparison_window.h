// frmCompare, the comparison window: the last successful labyrinth calculation worked by the
// program's correlation, Martin, Martin-Vermes and tooth by tooth side by side in the user's
// units, with the gamma (the gas's own to start) and real-gas choices, the tooth-by-tooth
// cavity pressures plotted
// against the station, and the table to the clipboard, to a CSV file or, as a second page of
// the labyrinth report, to the printer or a PDF.
//
// The labyrinth window opens it modally from "Compare Methods...":
//
//   MethodComparisonWindow window(context, services, report_printer, this);
//   window.exec();
//
// It reads the labyrinth data record and the current gas and changes nothing of the case.
#pragma once

#include <QDialog>

#include "methods/gamma_choice.h"
#include "methods/method_comparison.h"

class QCheckBox;
class QChartView;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace torvane {

struct CaseContext;
struct UiServices;
class LabyrinthReportPrinter;

inline constexpr const char kCompareMethodsCaption[] = "Compare Methods...";
inline constexpr const char kComparisonWindowCaption[] = "Leakage Methods Compared";

class MethodComparisonWindow : public QDialog {
  Q_OBJECT

 public:
  MethodComparisonWindow(CaseContext& context, UiServices& services,
                         LabyrinthReportPrinter& printer, QWidget* parent = nullptr);
  ~MethodComparisonWindow() override;

  // The comparison shown now.
  const MethodComparison& comparison() const { return comparison_; }

 private:
  void BuildForm();
  void Recalculate();
  void ShowTable();
  void ShowProfile();
  void CopyTable();
  void ExportCsv();
  void Print();
  void ExportPdf();

  CaseContext& context_;
  UiServices& services_;
  LabyrinthReportPrinter& printer_;
  GammaChoice gamma_;  // the gas's gamma at the stored case to start
  MethodComparison comparison_;

  QLabel* lblCase_ = nullptr;
  QDoubleSpinBox* txtGamma_ = nullptr;
  QCheckBox* chkRealGas_ = nullptr;
  QLabel* lblBasis_ = nullptr;
  QTableWidget* tblMethods_ = nullptr;
  QLabel* lblNotes_ = nullptr;
  QChartView* chtPressures_ = nullptr;
  QLabel* lblNoProfile_ = nullptr;
  QPushButton* cmdCopy_ = nullptr;
  QPushButton* cmdExportCsv_ = nullptr;
  QPushButton* cmdPrint_ = nullptr;
  QPushButton* cmdExportPdf_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace torvane
