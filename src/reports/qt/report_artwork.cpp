#include "reports/qt/report_artwork.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>

namespace torvane {
namespace {

const QColor kPaper(255, 255, 255);
const QColor kNavy(22, 43, 72);
const QColor kSteel(84, 118, 150);
const QColor kGrey(128, 134, 140);
const QColor kAmber(196, 120, 36);

void SetResolution(QImage& image, int dpi) {
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
}

// A white image of the given size in inches. While it is drawn it claims 72 dpi, so that font
// points and the painter's units (inches / 72) agree; it gets its real resolution when done.
QImage Canvas(double width_in, double height_in, int dpi) {
  QImage image(static_cast<int>(std::lround(width_in * dpi)),
               static_cast<int>(std::lround(height_in * dpi)), QImage::Format_RGB32);
  SetResolution(image, 72);
  image.fill(kPaper);
  return image;
}

QPen Pen(const QColor& colour, double width_in) {
  QPen pen(colour, width_in);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

QFont Font(const char* family, double size_in, int weight, double spacing_percent = 100) {
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(size_in * 72);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setLetterSpacing(QFont::PercentageSpacing, spacing_percent);
  return font;
}

// Parallel 45-degree hatching inside rect.
void Hatch(QPainter& p, const QRectF& rect, double pitch, const QColor& colour, double width_in) {
  p.save();
  p.setClipRect(rect);
  p.setPen(Pen(colour, width_in));
  for (double x = rect.left() - rect.height(); x < rect.right(); x += pitch) {
    p.drawLine(QPointF(x, rect.bottom()), QPointF(x + rect.height(), rect.top()));
  }
  p.restore();
}

// A tooth of the seal: a trapezoid from its root on the housing to its tip.
QPolygonF Tooth(double centre, double root_y, double tip_y, double root_width, double tip_width) {
  return QPolygonF(
      {QPointF(centre - root_width / 2, root_y), QPointF(centre + root_width / 2, root_y),
       QPointF(centre + tip_width / 2, tip_y), QPointF(centre - tip_width / 2, tip_y)});
}

void Arrowhead(QPainter& p, QPointF tip, double size, const QColor& colour) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({tip, QPointF(tip.x() - size, tip.y() - size * 0.4),
                           QPointF(tip.x() - size, tip.y() + size * 0.4)}));
  p.restore();
}

// Painter working in inches on image.
void BeginInches(QPainter& p, QImage& image, int dpi) {
  p.begin(&image);
  p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  p.scale(dpi, dpi);
}

void DrawText(QPainter& p, const QFont& font, const QColor& colour, QPointF baseline,
              const QString& text) {
  // Fonts are sized in points of the image; the painter is scaled to inches.
  p.save();
  p.scale(1.0 / 72, 1.0 / 72);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QPointF(baseline.x() * 72, baseline.y() * 72), text);
  p.restore();
}

// As DrawText, with the text ending at baseline.x().
void DrawTextRight(QPainter& p, const QFont& font, const QColor& colour, QPointF baseline,
                   const QString& text) {
  p.save();
  p.scale(1.0 / 72, 1.0 / 72);
  p.setFont(font);
  p.setPen(colour);
  const double width = p.fontMetrics().horizontalAdvance(text);
  p.drawText(QPointF(baseline.x() * 72 - width, baseline.y() * 72), text);
  p.restore();
}

}  // namespace

QImage DrawHeaderArtwork(int dpi) {
  QImage image = Canvas(4.4, 1.2, dpi);
  QPainter p;
  BeginInches(p, image, dpi);

  // The emblem: a stepped labyrinth in section, housing teeth over the shaft's lands.
  const QRectF housing(0.16, 0.20, 1.04, 0.14);
  p.fillRect(housing, kNavy);
  const QRectF shaft(0.16, 0.80, 1.04, 0.18);
  p.fillRect(shaft, QColor(226, 232, 238));
  Hatch(p, shaft, 0.06, kSteel, 0.008);
  p.setPen(Pen(kNavy, 0.014));
  p.setBrush(Qt::NoBrush);
  p.drawRect(shaft);
  p.setPen(Qt::NoPen);
  p.setBrush(kNavy);
  for (int i = 0; i < 5; ++i) {
    const double c = 0.28 + i * 0.2;
    p.drawPolygon(Tooth(c, 0.34, 0.72, 0.07, 0.022));
  }
  p.setBrush(kSteel);
  for (int i = 0; i < 4; ++i) {
    const double c = 0.38 + i * 0.2;
    p.drawRect(QRectF(c - 0.055, 0.60, 0.11, 0.20));
  }
  // The leakage path through the clearances.
  QPainterPath path(QPointF(0.10, 0.76));
  for (int i = 0; i < 4; ++i) {
    const double c = 0.28 + i * 0.2;
    path.cubicTo(QPointF(c + 0.03, 0.77), QPointF(c + 0.05, 0.56), QPointF(c + 0.1, 0.56));
    path.cubicTo(QPointF(c + 0.15, 0.56), QPointF(c + 0.17, 0.77), QPointF(c + 0.2, 0.76));
  }
  path.lineTo(QPointF(1.22, 0.76));
  p.setBrush(Qt::NoBrush);
  p.setPen(Pen(kAmber, 0.012));
  p.drawPath(path);
  Arrowhead(p, QPointF(1.30, 0.76), 0.07, kAmber);

  p.setPen(Pen(kSteel, 0.01));
  p.drawLine(QPointF(1.45, 0.22), QPointF(1.45, 0.98));

  DrawText(p, Font("Liberation Sans", 0.50, QFont::Bold, 102), kNavy, QPointF(1.62, 0.70),
           "Torvane");
  DrawText(p, Font("Liberation Sans", 0.105, QFont::Normal, 118), kGrey, QPointF(1.65, 0.95),
           "LABYRINTH SEAL LEAKAGE CALCULATOR");

  p.setPen(Pen(kNavy, 0.02));
  p.drawLine(QPointF(0.08, 1.12), QPointF(4.32, 1.12));
  p.setPen(Pen(kAmber, 0.02));
  p.drawLine(QPointF(3.4, 1.12), QPointF(4.32, 1.12));
  p.end();
  SetResolution(image, dpi);
  return image;
}

QImage DrawFooterArtwork(int dpi) {
  QImage image = Canvas(6.0, 2.11, dpi);
  QPainter p;
  BeginInches(p, image, dpi);

  const double left = 0.55;
  const double right = 5.45;
  const QColor section_fill(236, 240, 244);

  // Stator with its teeth.
  const QRectF stator(left, 0.42, right - left, 0.26);
  p.fillRect(stator, section_fill);
  Hatch(p, stator, 0.07, QColor(150, 170, 190), 0.006);
  const double root_y = 0.68;
  const double tip_y = 1.16;
  QPolygonF teeth;
  p.setPen(Pen(kNavy, 0.012));
  p.setBrush(section_fill);
  const int tooth_count = 13;
  const double pitch = (right - left - 0.6) / (tooth_count - 1);
  for (int i = 0; i < tooth_count; ++i) {
    p.drawPolygon(Tooth(left + 0.3 + i * pitch, root_y, tip_y, 0.11, 0.03));
  }
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(left, 0.42), QPointF(right, 0.42));
  p.drawLine(QPointF(left, root_y), QPointF(left + 0.3 - 0.055, root_y));
  for (int i = 0; i + 1 < tooth_count; ++i) {
    const double c = left + 0.3 + i * pitch;
    p.drawLine(QPointF(c + 0.055, root_y), QPointF(c + pitch - 0.055, root_y));
  }
  p.drawLine(QPointF(right - 0.3 + 0.055, root_y), QPointF(right, root_y));

  // Shaft, its surface a clearance below the tips, and the shaft axis.
  const QRectF shaft(left, 1.26, right - left, 0.42);
  p.fillRect(shaft, section_fill);
  Hatch(p, shaft, 0.07, QColor(150, 170, 190), 0.006);
  p.setPen(Pen(kNavy, 0.012));
  p.drawLine(QPointF(left, shaft.top()), QPointF(right, shaft.top()));
  QPen axis = Pen(kSteel, 0.008);
  axis.setDashPattern({12, 3, 2, 3});
  p.setPen(axis);
  p.drawLine(QPointF(left - 0.2, 1.82), QPointF(right + 0.2, 1.82));
  // Break lines at both ends of the section.
  p.setPen(Pen(kSteel, 0.008));
  for (double x : {left, right}) {
    QPainterPath brk(QPointF(x, 0.38));
    brk.cubicTo(QPointF(x - 0.05, 0.8), QPointF(x + 0.05, 1.2), QPointF(x, 1.72));
    p.drawPath(brk);
  }

  // The leakage: through each clearance, a swirl in each cavity.
  p.setPen(Pen(kAmber, 0.012));
  QPainterPath flow(QPointF(left - 0.35, 1.21));
  for (int i = 0; i < tooth_count; ++i) {
    const double c = left + 0.3 + i * pitch;
    flow.lineTo(QPointF(c + 0.02, 1.21));
    if (i + 1 < tooth_count) {
      flow.cubicTo(QPointF(c + pitch * 0.35, 1.21), QPointF(c + pitch * 0.5, 0.86),
                   QPointF(c + pitch * 0.62, 0.98));
      flow.cubicTo(QPointF(c + pitch * 0.7, 1.08), QPointF(c + pitch * 0.8, 1.21),
                   QPointF(c + pitch - 0.02, 1.21));
    }
  }
  flow.lineTo(QPointF(right + 0.25, 1.21));
  p.drawPath(flow);
  Arrowhead(p, QPointF(right + 0.36, 1.21), 0.1, kAmber);

  // The pitch s dimensioned over two teeth.
  p.setPen(Pen(kGrey, 0.007));
  const double s0 = left + 0.3 + 5 * pitch;
  const double s1 = s0 + pitch;
  p.drawLine(QPointF(s0, 0.40), QPointF(s0, 0.24));
  p.drawLine(QPointF(s1, 0.40), QPointF(s1, 0.24));
  p.drawLine(QPointF(s0 + 0.06, 0.28), QPointF(s1 - 0.06, 0.28));
  Arrowhead(p, QPointF(s1, 0.28), 0.06, kGrey);
  p.save();
  p.translate(s0, 0.28);
  p.rotate(180);
  Arrowhead(p, QPointF(0, 0), 0.06, kGrey);
  p.restore();
  const QFont dimension = Font("Liberation Serif", 0.12, QFont::Normal);
  QFont italic = dimension;
  italic.setItalic(true);
  DrawText(p, italic, kGrey, QPointF((s0 + s1) / 2 - 0.025, 0.22), "s");

  const QFont note = Font("Liberation Sans", 0.085, QFont::Normal, 112);
  DrawText(p, note, kGrey, QPointF(left - 0.35, 1.12), "UPSTREAM");
  DrawTextRight(p, note, kGrey, QPointF(right + 0.45, 1.12), "DOWNSTREAM");

  // The signature line.
  p.setPen(Pen(kNavy, 0.014));
  p.drawLine(QPointF(0.1, 1.94), QPointF(5.9, 1.94));
  DrawText(p, Font("Liberation Sans", 0.13, QFont::Bold, 104), kNavy, QPointF(0.1, 2.07),
           "Torvane");
  DrawTextRight(p, Font("Liberation Sans", 0.085, QFont::Normal, 115), kGrey, QPointF(5.9, 2.07),
                "LABYRINTH SEAL LEAKAGE CALCULATOR");
  p.end();
  SetResolution(image, dpi);
  return image;
}

QImage ToArtworkPalette(const QImage& image) {
  QList<QRgb> table;
  const auto ramp = [&table](const QColor& from, const QColor& to, int steps) {
    for (int i = 0; i < steps; ++i) {
      const double t = steps == 1 ? 1.0 : double(i) / (steps - 1);
      table.push_back(qRgb(int(std::lround(from.red() + (to.red() - from.red()) * t)),
                           int(std::lround(from.green() + (to.green() - from.green()) * t)),
                           int(std::lround(from.blue() + (to.blue() - from.blue()) * t))));
    }
  };
  ramp(kPaper, kNavy, 72);
  ramp(kPaper, kSteel, 56);
  ramp(kPaper, kGrey, 48);
  ramp(kPaper, kAmber, 48);
  ramp(kSteel, kNavy, 16);
  ramp(kAmber, kNavy, 16);
  return image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

}  // namespace torvane
