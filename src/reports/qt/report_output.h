// The reports on a Qt paged device and as PDF files.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "reports/labyrinth_report.h"

class QPagedPaintDevice;

namespace torvane {

// What a report prints on the surface it is given, ending the document.
using ReportBody = std::function<void(PrinterSurface&)>;

// Prints body on device (a QPrinter or a QPdfWriter set up by the caller). On any failure the
// job is abandoned, abort_job (if given) having been called first, and PrinterError propagates.
void RenderReport(QPagedPaintDevice& device, const ReportBody& body,
                  const std::function<void()>& abort_job = {});

// The report's own page: US Letter, portrait, the printable area 0.25 in inside each edge. The
// PDF is written on it, and Print asks the printer for it.
QPageLayout ReportPageLayout();

// The name of the print job and of the document: the settings file's name, or "Torvane -
// Labyrinth Leakage Results" for unsaved data.
std::string ReportDocumentName(const ReportCase& report_case);

// body as the bytes of a PDF file titled title, on the report's page. Throws PrinterError. Needs
// a QGuiApplication (see HeadlessGui for programs without windows).
QByteArray ReportPdf(const std::string& title, const ReportBody& body);

// Writes body to a PDF file. The file is replaced only once the whole report has been written
// and flushed to the disk (ReplaceFile): after any failure a file already at pdf_path is left as
// it was. Anything but a regular file, a read-only file and any of the inputs (the files the
// report is made from, also through a link) are refused. Throws PrinterError, whose text names
// the file and the reason.
void WriteReportPdf(const QString& pdf_path, const std::string& title, const ReportBody& body,
                    const std::vector<std::string>& inputs = {});

// The labyrinth report by the functions above.
void RenderLabyrinthReport(QPagedPaintDevice& device, ReportServices services,
                           const ReportCase& report_case, const LabyData& laby_data,
                           const UnitChoice& units, const std::function<void()>& abort_job = {});
QByteArray LabyrinthReportPdf(ReportServices services, const ReportCase& report_case,
                              const LabyData& laby_data, const UnitChoice& units);
void WriteLabyrinthReportPdf(const QString& pdf_path, ReportServices services,
                             const ReportCase& report_case, const LabyData& laby_data,
                             const UnitChoice& units, const std::vector<std::string>& inputs = {});

}  // namespace torvane
