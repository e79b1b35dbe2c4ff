#include "reports/ui/labyrinth_report_printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "document/export_file.h"
#include "reports/further_page.h"
#include "reports/method_comparison_page.h"
#include "reports/qt/report_output.h"

namespace torvane {

LabyrinthReportPrinter::LabyrinthReportPrinter(ReportServices services, MessageService& messages,
                                               PrintDialogRunner& print_dialog, FileChooser& files)
    : services_(services), messages_(&messages), print_dialog_(&print_dialog), files_(&files) {}

ReportOutcome LabyrinthReportPrinter::Failed() {
  messages_->Show(kPrinterErrorMessage);
  return ReportOutcome::kFailed;
}

ReportOutcome LabyrinthReportPrinter::PrintBody(const ReportCase& report_case,
                                                const ReportBody& body, QWidget* parent) {
  try {
    QPrinter printer(QPrinter::HighResolution);
    // The report is laid out for its own page: the dialog shows it, and whatever paper was chosen
    // in the dialog, the job asks the printer for it.
    printer.setPageLayout(ReportPageLayout());
    printer.setDocName(QString::fromStdString(ReportDocumentName(report_case)));
    if (!print_dialog_->Run(printer, parent)) return ReportOutcome::kCancelled;
    // What the printer can print on the report's paper: its own margins for Letter, portrait.
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    QPageLayout printable = printer.pageLayout();
    printable.setUnits(QPageLayout::Inch);
    if (!printer.setPageLayout(ReportPageLayout())) {
      printer.setPageSize(QPageSize(QPageSize::Letter));
      printer.setPageOrientation(QPageLayout::Portrait);
    }
    // Inside what the printer can print: as laid out when the page fits, else scaled to fit.
    RenderReport(
        printer, body, [&printer] { printer.abort(); },
        PlaceOnDevice(printer.pageLayout(), printable.minimumMargins()));
    if (printer.printerState() == QPrinter::Error) return Failed();
    return ReportOutcome::kPrinted;
  } catch (const std::exception&) {
    return Failed();
  }
}

ReportOutcome LabyrinthReportPrinter::ExportBody(const ReportCase& report_case,
                                                 const ReportBody& body) {
  const auto path = files_->Choose(PdfRequest(report_case));
  if (!path) return ReportOutcome::kCancelled;
  const std::vector<std::string> sources{report_case.settings_file_path};
  if (!CheckExportTarget(*path, *messages_, sources)) return ReportOutcome::kFailed;
  // A report that cannot be drawn is a printer error; a file that cannot be written says why.
  QByteArray pdf;
  try {
    pdf = ReportPdf(kLabyrinthReportTitle, body);
  } catch (const std::exception&) {
    return Failed();
  }
  if (!WriteExportFile(
          *path, [&pdf] { return pdf.toStdString(); }, *messages_, sources)) {
    return ReportOutcome::kFailed;
  }
  return ReportOutcome::kPrinted;
}

ReportOutcome LabyrinthReportPrinter::Print(const ReportCase& report_case,
                                            const LabyData& laby_data, const UnitChoice& units,
                                            QWidget* parent) {
  return PrintBody(
      report_case,
      [&](PrinterSurface& surface) {
        PrintLabyrinthReport(surface, services_, report_case, laby_data, units);
      },
      parent);
}

ReportOutcome LabyrinthReportPrinter::ExportPdf(const ReportCase& report_case,
                                                const LabyData& laby_data,
                                                const UnitChoice& units) {
  return ExportBody(report_case, [&](PrinterSurface& surface) {
    PrintLabyrinthReport(surface, services_, report_case, laby_data, units);
  });
}

ReportOutcome LabyrinthReportPrinter::PrintWithComparison(const ReportCase& report_case,
                                                          const LabyData& laby_data,
                                                          const UnitChoice& units,
                                                          const MethodComparison& comparison,
                                                          QWidget* parent) {
  return PrintWith(
      report_case, laby_data, units,
      [&](PrinterSurface& surface, ReportServices services) {
        PrintMethodComparisonPage(surface, services, comparison);
      },
      parent);
}

ReportOutcome LabyrinthReportPrinter::ExportPdfWithComparison(const ReportCase& report_case,
                                                              const LabyData& laby_data,
                                                              const UnitChoice& units,
                                                              const MethodComparison& comparison) {
  return ExportPdfWith(report_case, laby_data, units,
                       [&](PrinterSurface& surface, ReportServices services) {
                         PrintMethodComparisonPage(surface, services, comparison);
                       });
}

ReportOutcome LabyrinthReportPrinter::PrintWith(const ReportCase& report_case,
                                                const LabyData& laby_data, const UnitChoice& units,
                                                const FurtherPages& further_pages,
                                                QWidget* parent) {
  return PrintBody(
      report_case,
      [&](PrinterSurface& surface) {
        PrintLabyrinthReportWith(
            surface, services_, report_case, laby_data, units,
            [&](PrinterSurface& further) { further_pages(further, services_); });
      },
      parent);
}

ReportOutcome LabyrinthReportPrinter::ExportPdfWith(const ReportCase& report_case,
                                                    const LabyData& laby_data,
                                                    const UnitChoice& units,
                                                    const FurtherPages& further_pages) {
  return ExportBody(report_case, [&](PrinterSurface& surface) {
    PrintLabyrinthReportWith(surface, services_, report_case, laby_data, units,
                             [&](PrinterSurface& further) { further_pages(further, services_); });
  });
}

FileDialogRequest LabyrinthReportPrinter::PdfRequest(const ReportCase& report_case) {
  FileDialogRequest request;
  request.mode = FileDialogMode::kSave;
  request.title = "Export PDF";
  request.filter = "PDF File (*.pdf)";
  request.default_suffix = "pdf";
  request.confirm_overwrite = true;
  request.file_must_exist = false;
  request.initial_name = std::string(kLabyrinthReportTitle) + ".pdf";
  const std::string& settings = report_case.settings_file_path;
  if (!settings.empty()) {
    const std::string name = FileNameOf(settings);
    request.initial_folder = settings.substr(0, settings.size() - name.size());
    if (request.initial_folder.size() > 1 && request.initial_folder.back() == '/') {
      request.initial_folder.pop_back();
    }
    const auto dot = name.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    if (!stem.empty()) request.initial_name = stem + ".pdf";
  }
  return request;
}

}  // namespace torvane
