// What the labyrinth window's Print and "Export PDF..." buttons run: the printer dialog or the
// file dialog, then the labyrinth report. A cancelled dialog ends silently; any failure shows
// "Printer Error" and the window stays as it was. Nothing is retried.
#pragma once

#include <functional>

#include "platform/file_chooser.h"
#include "platform/message_service.h"
#include "reports/labyrinth_report.h"
#include "reports/qt/report_output.h"
#include "reports/ui/print_dialog_runner.h"

class QWidget;

namespace torvane {

struct MethodComparison;

inline constexpr const char kExportPdfCaption[] = "Export PDF...";

enum class ReportOutcome { kPrinted, kCancelled, kFailed };

class LabyrinthReportPrinter {
 public:
  LabyrinthReportPrinter(ReportServices services, MessageService& messages,
                         PrintDialogRunner& print_dialog, FileChooser& files);

  // The printer dialog, then the report on the chosen printer.
  ReportOutcome Print(const ReportCase& report_case, const LabyData& laby_data,
                      const UnitChoice& units, QWidget* parent = nullptr);
  // A file dialog for the PDF's name, then the report into that file.
  ReportOutcome ExportPdf(const ReportCase& report_case, const LabyData& laby_data,
                          const UnitChoice& units);

  // The same, with the comparison of the leakage methods as a second page.
  ReportOutcome PrintWithComparison(const ReportCase& report_case, const LabyData& laby_data,
                                    const UnitChoice& units, const MethodComparison& comparison,
                                    QWidget* parent = nullptr);
  ReportOutcome ExportPdfWithComparison(const ReportCase& report_case, const LabyData& laby_data,
                                        const UnitChoice& units,
                                        const MethodComparison& comparison);

  // The same, with further pages after the first, printed by further_pages (the rotordynamics
  // page, for example).
  using FurtherPages = std::function<void(PrinterSurface& surface, ReportServices services)>;
  ReportOutcome PrintWith(const ReportCase& report_case, const LabyData& laby_data,
                          const UnitChoice& units, const FurtherPages& further_pages,
                          QWidget* parent = nullptr);
  ReportOutcome ExportPdfWith(const ReportCase& report_case, const LabyData& laby_data,
                              const UnitChoice& units, const FurtherPages& further_pages);

  // The save dialog of ExportPdf: the settings file's folder and name with ".pdf", or
  // "Labyrinth Leakage Results.pdf" for unsaved data.
  static FileDialogRequest PdfRequest(const ReportCase& report_case);

 private:
  ReportOutcome Failed();
  ReportOutcome PrintBody(const ReportCase& report_case, const ReportBody& body, QWidget* parent);
  ReportOutcome ExportBody(const ReportCase& report_case, const ReportBody& body);

  ReportServices services_;
  MessageService* messages_;
  PrintDialogRunner* print_dialog_;
  FileChooser* files_;
};

}  // namespace torvane
