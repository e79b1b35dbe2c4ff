#include "reports/qt/report_output.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include "platform/message_service.h"
#include "reports/qt/qt_printer_surface.h"

namespace torvane {

void RenderReport(QPagedPaintDevice& device, const ReportBody& body,
                  const std::function<void()>& abort_job) {
  QtPrinterSurface surface(device, abort_job);
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

void WriteReportPdf(const QString& pdf_path, const std::string& title, const ReportBody& body) {
  QSaveFile file(pdf_path);
  if (!file.open(QIODevice::WriteOnly)) {
    throw PrinterError("cannot write " + pdf_path.toStdString() + ": " +
                       file.errorString().toStdString());
  }
  {
    QPdfWriter writer(&file);
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QString::fromUtf8(kApplicationTitle));
    const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                             QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    if (!writer.setPageLayout(layout)) throw PrinterError("the PDF page could not be set up");
    RenderReport(writer, body);
  }
  if (!file.commit()) {
    throw PrinterError("cannot write " + pdf_path.toStdString() + ": " +
                       file.errorString().toStdString());
  }
}

void RenderLabyrinthReport(QPagedPaintDevice& device, ReportServices services,
                           const ReportCase& report_case, const LabyData& laby_data,
                           const UnitChoice& units, const std::function<void()>& abort_job) {
  RenderReport(
      device,
      [&](PrinterSurface& surface) {
        PrintLabyrinthReport(surface, services, report_case, laby_data, units);
      },
      abort_job);
}

void WriteLabyrinthReportPdf(const QString& pdf_path, ReportServices services,
                             const ReportCase& report_case, const LabyData& laby_data,
                             const UnitChoice& units) {
  WriteReportPdf(pdf_path, kLabyrinthReportTitle, [&](PrinterSurface& surface) {
    PrintLabyrinthReport(surface, services, report_case, laby_data, units);
  });
}

}  // namespace torvane
