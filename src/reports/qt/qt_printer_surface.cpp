#include "reports/qt/qt_printer_surface.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPen>
#include <QTransform>
#include <cmath>

#include "reports/qt/qt_picture_loader.h"

namespace torvane {
namespace {

// Lines are drawn 0.01 in wide, a fine rule on paper.
constexpr double kLineWidthInches = 0.01;

QString ToQ(const std::string& text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void RequireFinite(double value, const char* what) {
  if (!std::isfinite(value)) throw PrinterError(std::string("a ") + what + " that is not a number");
}

}  // namespace

QtPrinterSurface::QtPrinterSurface(QPagedPaintDevice& device, std::function<void()> abort_job)
    : device_(&device), abort_job_(std::move(abort_job)) {}

QtPrinterSurface::~QtPrinterSurface() {
  if (painter_.isActive()) painter_.end();
}

void QtPrinterSurface::Begin() {
  if (ended_) throw PrinterError("the document has already ended");
  if (painter_.isActive()) return;
  if (!painter_.begin(device_)) throw PrinterError("the printer did not start the document");
  // The report bitmaps are line art: kept lossless, a PDF holds them without JPEG's blur.
  painter_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                          QPainter::SmoothPixmapTransform | QPainter::LosslessImageRendering);
  if (placement_) {
    painter_.setTransform(QTransform(placement_->scale, 0, 0, placement_->scale,
                                     placement_->left * DeviceDpiX(),
                                     placement_->top * DeviceDpiY()));
  }
}

void QtPrinterSurface::PlacePage(const PagePlacement& placement, double page_width) {
  for (double v : {placement.left, placement.top, placement.scale, page_width}) {
    RequireFinite(v, "page placement");
  }
  if (placement.scale <= 0 || page_width <= 0) throw PrinterError("a page placement of no size");
  placement_ = placement;
  page_width_ = page_width;
}

double QtPrinterSurface::DeviceDpiX() const { return device_->logicalDpiX(); }
double QtPrinterSurface::DeviceDpiY() const { return device_->logicalDpiY(); }

QPointF QtPrinterSurface::ToDevice(double x, double y) const {
  return QPointF((x - scale_left_) / units_per_inch_ * DeviceDpiX(),
                 (y - scale_top_) / units_per_inch_ * DeviceDpiY());
}

void QtPrinterSurface::SetOrientation(PageOrientation orientation) {
  const auto qt =
      orientation == PageOrientation::kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  if (!device_->setPageOrientation(qt)) throw PrinterError("the printer refused the orientation");
}

void QtPrinterSurface::SetScaleInches() { units_per_inch_ = 1; }
void QtPrinterSurface::SetScaleTop(double top) {
  RequireFinite(top, "scale");
  scale_top_ = top;
}
void QtPrinterSurface::SetScaleLeft(double left) {
  RequireFinite(left, "scale");
  scale_left_ = left;
}

void QtPrinterSurface::SetFontName(const std::string& name) { font_.setFamily(ToQ(name)); }
void QtPrinterSurface::SetFontSize(double points) {
  if (!std::isfinite(points) || points <= 0) throw PrinterError("a font size that is not valid");
  font_.setPointSizeF(points);
}
void QtPrinterSurface::SetFontBold(bool bold) { font_.setBold(bold); }
void QtPrinterSurface::SetFontUnderline(bool underline) { font_.setUnderline(underline); }

void QtPrinterSurface::SetPosition(double x, double y) {
  RequireFinite(x, "position");
  RequireFinite(y, "position");
  x_ = x;
  y_ = y;
}

void QtPrinterSurface::PrintText(const std::string& text) {
  Begin();
  const QString q = ToQ(text);
  painter_.setFont(font_);
  painter_.setPen(Qt::black);
  const QFontMetricsF metrics(font_, device_);
  // The text's line starts at the print position; the baseline lies one ascent below it.
  const QPointF top = ToDevice(x_, y_);
  painter_.drawText(QPointF(top.x(), top.y() + metrics.ascent()), q);
  x_ += metrics.horizontalAdvance(q) / DeviceDpiX() * units_per_inch_;
}

double QtPrinterSurface::TextWidth(const std::string& text) const {
  const QFontMetricsF metrics(font_, device_);
  return metrics.horizontalAdvance(ToQ(text)) / DeviceDpiX() * units_per_inch_;
}

double QtPrinterSurface::PrintableWidth() const {
  if (placement_) return page_width_ * units_per_inch_;
  return device_->width() / DeviceDpiX() * units_per_inch_;
}

void QtPrinterSurface::DrawLine(double x1, double y1, double x2, double y2, ReportColour colour) {
  for (double v : {x1, y1, x2, y2}) RequireFinite(v, "line end");
  Begin();
  QPen pen(QColor(colour.red, colour.green, colour.blue));
  pen.setWidthF(kLineWidthInches * DeviceDpiY());
  pen.setCapStyle(Qt::FlatCap);
  painter_.setPen(pen);
  painter_.drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
  x_ = x2;
  y_ = y2;
}

void QtPrinterSurface::DrawPicture(const ReportPicture& picture, double x, double y, double width,
                                   double height) {
  for (double v : {x, y, width, height}) RequireFinite(v, "picture rectangle");
  const auto* qt_picture = dynamic_cast<const QtReportPicture*>(&picture);
  if (qt_picture == nullptr || qt_picture->image().isNull()) {
    throw PrinterError("picture " + picture.name() + " cannot be drawn");
  }
  Begin();
  const QPointF top_left = ToDevice(x, y);
  const QPointF bottom_right = ToDevice(x + width, y + height);
  painter_.drawImage(QRectF(top_left, bottom_right), qt_picture->image());
}

void QtPrinterSurface::NewPage() {
  Begin();
  if (!device_->newPage()) throw PrinterError("the printer did not start a new page");
  ++page_;
}

void QtPrinterSurface::EndDocument() {
  Begin();
  ended_ = true;
  if (!painter_.end()) throw PrinterError("the printer did not finish the document");
}

void QtPrinterSurface::Abandon() {
  if (ended_ && !painter_.isActive()) return;
  ended_ = true;
  if (abort_job_) abort_job_();
  if (painter_.isActive()) painter_.end();
}

}  // namespace torvane
