// The labyrinth report on a Qt paged device and as a PDF file.
#pragma once

#include <QString>
#include <functional>

#include "reports/labyrinth_report.h"

class QPagedPaintDevice;

namespace torvane {

// What a report prints on the surface it is given, ending the document.
using ReportBody = std::function<void(PrinterSurface&)>;

// Prints body on device (a QPrinter or a QPdfWriter set up by the caller). On any failure the
// job is abandoned, abort_job (if given) having been called first, and PrinterError propagates.
void RenderReport(QPagedPaintDevice& device, const ReportBody& body,
                  const std::function<void()>& abort_job = {});

// Writes body to a PDF file titled title: US Letter pages with a printable area 0.25 in inside
// each edge. The file is replaced only once the whole report has been written; after a failure
// a file already at pdf_path is left as it was. Throws PrinterError. Needs a QGuiApplication.
void WriteReportPdf(const QString& pdf_path, const std::string& title, const ReportBody& body);

// Prints the labyrinth report on device (a QPrinter or a QPdfWriter set up by the caller). On any
// failure the job is abandoned, abort_job (if given) having been called first, and PrinterError
// propagates.
void RenderLabyrinthReport(QPagedPaintDevice& device, ReportServices services,
                           const ReportCase& report_case, const LabyData& laby_data,
                           const UnitChoice& units, const std::function<void()>& abort_job = {});

// Writes the labyrinth report to a PDF file: a US Letter page with a printable area 0.25 in
// inside each edge. The file is replaced only once the whole report has been written; after a
// failure a file already at pdf_path is left as it was. Throws PrinterError. Needs a
// QGuiApplication (see HeadlessGui for programs without windows).
void WriteLabyrinthReportPdf(const QString& pdf_path, ReportServices services,
                             const ReportCase& report_case, const LabyData& laby_data,
                             const UnitChoice& units);

}  // namespace torvane
