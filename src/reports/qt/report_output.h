// The reports on a Qt paged device and as PDF files.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reports/labyrinth_report.h"
#include "reports/page_placement.h"

class QPagedPaintDevice;

namespace torvane {

// What a report prints on the surface it is given, ending the document.
using ReportBody = std::function<void(PrinterSurface&)>;

// Prints body on device (a QPrinter or a QPdfWriter set up by the caller). On any failure the
// job is abandoned, abort_job (if given) having been called first, and PrinterError propagates.
// With a placement the page is drawn where it says (QtPrinterSurface::PlacePage), as wide as the
// report's page.
void RenderReport(QPagedPaintDevice& device, const ReportBody& body,
                  const std::function<void()>& abort_job = {},
                  const std::optional<PagePlacement>& placement = std::nullopt);

// The report's own page: US Letter, portrait, the printable area 0.25 in inside each edge. The
// PDF is written on it, and Print asks the printer for it.
QPageLayout ReportPageLayout();
// That page on the paper: 8 x 10.5 in at 0.25 in from the top left corner.
PaperArea ReportPaperArea();

// Where the report's page goes on a device with this page layout, whose printer can print only
// inside least_margins (inches) of the paper: as laid out when it fits, else scaled into the
// printable area (PlaceReportPage); relative to the device's origin (the corner of its paint
// rectangle).
PagePlacement PlaceOnDevice(const QPageLayout& device_layout, const QMarginsF& least_margins);

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
