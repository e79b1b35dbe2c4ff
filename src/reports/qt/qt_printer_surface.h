// The printer surface over QPainter, for any paged Qt paint device: a QPrinter for the system
// printer, a QPdfWriter for PDF files. Coordinates are in the surface's scale (twips until
// SetScaleInches), measured from the printable area's left and top edges as given by SetScaleLeft
// and SetScaleTop.
#pragma once

#include <QFont>
#include <QPainter>
#include <functional>
#include <optional>

#include "reports/page_placement.h"
#include "reports/printer_surface.h"

class QPagedPaintDevice;

namespace torvane {

class QtPrinterSurface : public PrinterSurface {
 public:
  // The job starts with the first drawing on the device. abort_job, if given, is called by
  // Abandon() before the painter is closed (QPrinter::abort for the system printer).
  explicit QtPrinterSurface(QPagedPaintDevice& device, std::function<void()> abort_job = {});
  ~QtPrinterSurface() override;
  QtPrinterSurface(const QtPrinterSurface&) = delete;
  QtPrinterSurface& operator=(const QtPrinterSurface&) = delete;

  void SetOrientation(PageOrientation orientation) override;
  void SetScaleInches() override;
  void SetScaleTop(double top) override;
  void SetScaleLeft(double left) override;
  void SetFontName(const std::string& name) override;
  void SetFontSize(double points) override;
  void SetFontBold(bool bold) override;
  void SetFontUnderline(bool underline) override;
  void SetPosition(double x, double y) override;
  double CurrentX() const override { return x_; }
  double CurrentY() const override { return y_; }
  void PrintText(const std::string& text) override;
  double TextWidth(const std::string& text) const override;
  double PrintableWidth() const override;
  int PageNumber() const override { return page_; }
  void DrawLine(double x1, double y1, double x2, double y2, ReportColour colour) override;
  void DrawPicture(const ReportPicture& picture, double x, double y, double width,
                   double height) override;
  void NewPage() override;
  void EndDocument() override;

  // Draws the page with its top left corner at placement (inches from the device's origin) and
  // scaled by it, as a page page_width inches wide (its printable width). Set before the first
  // drawing; without it the page fills the device as it is.
  void PlacePage(const PagePlacement& placement, double page_width);

  // Gives up a job that failed half-way: the printer's job is aborted and the painter closed.
  void Abandon();
  bool ended() const { return ended_; }

 private:
  void Begin();
  QPointF ToDevice(double x, double y) const;
  double DeviceDpiX() const;
  double DeviceDpiY() const;

  QPagedPaintDevice* device_;
  std::function<void()> abort_job_;
  QPainter painter_;
  QFont font_;
  double units_per_inch_ = 1440;  // twips until the scale is set to inches
  double scale_left_ = 0;
  double scale_top_ = 0;
  double x_ = 0;
  double y_ = 0;
  int page_ = 1;
  bool ended_ = false;
  std::optional<PagePlacement> placement_;
  double page_width_ = 0;
};

}  // namespace torvane
