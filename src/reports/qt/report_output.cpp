#include "reports/qt/report_output.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <span>

#include "document/case_files.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "reports/qt/qt_printer_surface.h"

namespace torvane {

void RenderReport(QPagedPaintDevice& device, const ReportBody& body,
                  const std::function<void()>& abort_job,
                  const std::optional<PagePlacement>& placement) {
  QtPrinterSurface surface(device, abort_job);
  if (placement) surface.PlacePage(*placement, ReportPaperArea().width);
  try {
    body(surface);
  } catch (const PrinterError&) {
    surface.Abandon();
    throw;
  } catch (const std::exception& e) {
    surface.Abandon();
    throw PrinterError(e.what());
  }
}

QPageLayout ReportPageLayout() {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                     QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}

PaperArea ReportPaperArea() {
  const QRectF paint = ReportPageLayout().paintRect(QPageLayout::Inch);
  return {paint.left(), paint.top(), paint.width(), paint.height()};
}

PagePlacement PlaceOnDevice(const QPageLayout& device_layout, const QMarginsF& least) {
  QPageLayout layout = device_layout;
  layout.setUnits(QPageLayout::Inch);
  const QRectF paper = layout.fullRect();
  const PaperArea printable{least.left(), least.top(), paper.width() - least.left() - least.right(),
                            paper.height() - least.top() - least.bottom()};
  const PagePlacement on_paper = PlaceReportPage(ReportPaperArea(), printable);
  const QPointF origin = layout.paintRect().topLeft();
  return {on_paper.left - origin.x(), on_paper.top - origin.y(), on_paper.scale};
}

std::string ReportDocumentName(const ReportCase& report_case) {
  if (!report_case.settings_file_path.empty()) return FileNameOf(report_case.settings_file_path);
  return std::string("Torvane - ") + kLabyrinthReportTitle;
}

QByteArray ReportPdf(const std::string& title, const ReportBody& body) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) throw PrinterError("the PDF could not be started");
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QString::fromUtf8(kApplicationTitle));
    if (!writer.setPageLayout(ReportPageLayout())) {
      throw PrinterError("the PDF page could not be set up");
    }
    RenderReport(writer, body);
  }
  buffer.close();
  if (bytes.isEmpty()) throw PrinterError("the PDF writer wrote nothing");
  return bytes;
}

void WriteReportPdf(const QString& pdf_path, const std::string& title, const ReportBody& body,
                    const std::vector<std::string>& inputs) {
  const std::string path = pdf_path.toStdString();
  for (const std::string& input : inputs) {
    if (!input.empty() && IsSameFile(path, input)) {
      throw PrinterError(path + ": it is the file the report is made from");
    }
  }
  const QByteArray bytes = ReportPdf(title, body);
  // Every write, the flush to the disk and the rename are checked; on any failure the old file
  // stays as it was.
  try {
    ReplaceFile(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                static_cast<size_t>(bytes.size())));
  } catch (const FileError& e) {
    throw PrinterError(e.what());
  }
}

namespace {

ReportBody LabyrinthReportBody(ReportServices services, const ReportCase& report_case,
                               const LabyData& laby_data, const UnitChoice& units) {
  return [=, &report_case, &laby_data, &units](PrinterSurface& surface) {
    PrintLabyrinthReport(surface, services, report_case, laby_data, units);
  };
}

}  // namespace

void RenderLabyrinthReport(QPagedPaintDevice& device, ReportServices services,
                           const ReportCase& report_case, const LabyData& laby_data,
                           const UnitChoice& units, const std::function<void()>& abort_job) {
  RenderReport(device, LabyrinthReportBody(services, report_case, laby_data, units), abort_job);
}

QByteArray LabyrinthReportPdf(ReportServices services, const ReportCase& report_case,
                              const LabyData& laby_data, const UnitChoice& units) {
  return ReportPdf(kLabyrinthReportTitle,
                   LabyrinthReportBody(services, report_case, laby_data, units));
}

void WriteLabyrinthReportPdf(const QString& pdf_path, ReportServices services,
                             const ReportCase& report_case, const LabyData& laby_data,
                             const UnitChoice& units, const std::vector<std::string>& inputs) {
  WriteReportPdf(pdf_path, kLabyrinthReportTitle,
                 LabyrinthReportBody(services, report_case, laby_data, units), inputs);
}

}  // namespace torvane
