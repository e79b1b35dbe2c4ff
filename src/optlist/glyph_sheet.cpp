#include "glyph_sheet.h"

#include <QtGui/QPainter>
#include <array>

namespace orvell {

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kShadowGrey = 0xFF808080;
constexpr QRgb kLightGrey = 0xFFC0C0C0;
constexpr QRgb kFaceGrey = 0xFFDFDFDF;

// The option button: O outer ring, N inner ring, I inside, D the selection dot; '.' is empty.
constexpr std::array<const char*, 12> kOptionButton = {
    "....OOOO....",  //
    "..OONNNNOO..",  //
    ".ONNIIIINNO.",  //
    ".ONIIIIIINO.",  //
    "ONIIIDDIIINO",  //
    "ONIIDDDDIINO",  //
    "ONIIDDDDIINO",  //
    "ONIIIDDIIINO",  //
    ".ONIIIIIINO.",  //
    ".ONNIIIINNO.",  //
    "..OONNNNOO..",  //
    "....OOOO....",  //
};

// The check box: same letters, C the check mark.
constexpr std::array<const char*, 13> kCheckBox = {
    "OOOOOOOOOOOOO",  //
    "ONNNNNNNNNNNO",  //
    "ONIIIIIIIIINO",  //
    "ONIIIIIIICINO",  //
    "ONIIIIIICCINO",  //
    "ONICIIICCCINO",  //
    "ONICCICCCIINO",  //
    "ONICCCCCIIINO",  //
    "ONIICCCIIIINO",  //
    "ONIIICIIIIINO",  //
    "ONIIIIIIIIINO",  //
    "ONNNNNNNNNNNO",  //
    "OOOOOOOOOOOOO",  //
};

struct Look {
  bool three_d;
  bool selected;
  bool pressed;
  bool greyed;
};

// The colour of one pixel of a glyph. In 3-D the rings are lit from the top left: outer ring
// shadow grey above the diagonal and white below it, inner ring black above and light grey
// below. Flat glyphs have one black ring.
QRgb PixelColor(char code, int x, int y, int size, const Look& look) {
  const bool upper_left = x + y < size - 1;
  const QRgb inside = (look.pressed || look.greyed) ? kLightGrey : kWhite;
  const QRgb mark = look.greyed ? kShadowGrey : kBlack;
  switch (code) {
    case 'O':
      if (!look.three_d) return kBlack;
      return upper_left ? kShadowGrey : kWhite;
    case 'N':
      if (!look.three_d) return inside;
      return upper_left ? kBlack : kFaceGrey;
    case 'I':
      return inside;
    case 'D':
    case 'C':
      return look.selected ? mark : inside;
    default:
      return 0;  // transparent
  }
}

template <size_t N>
void DrawGlyph(QImage& sheet, const std::array<const char*, N>& pattern, QPoint origin,
               const Look& look) {
  for (int y = 0; y < static_cast<int>(N); ++y) {
    const char* row = pattern[static_cast<size_t>(y)];
    for (int x = 0; row[x] != '\0'; ++x) {
      const QRgb color = PixelColor(row[x], x, y, static_cast<int>(N), look);
      if (qAlpha(color) != 0) sheet.setPixel(origin.x() + x, origin.y() + y, color);
    }
  }
}

QImage BuildSheet(bool three_d) {
  QImage sheet(kGlyphSheetWidth, kGlyphSheetHeight, QImage::Format_ARGB32);
  sheet.fill(Qt::transparent);
  for (int column = 0; column < 4; ++column) {
    const bool selected = (column & 1) != 0;
    const bool pressed = (column & 2) != 0;
    const int left = column * kGlyphCellWidth;
    DrawGlyph(sheet, kCheckBox, QPoint(left, 0), Look{three_d, selected, pressed, false});
    DrawGlyph(
        sheet, kOptionButton,
        QPoint(left + kOptionButtonLeft, kOptionButtonRow * kGlyphCellHeight + kOptionButtonTop),
        Look{three_d, selected, pressed, false});
    DrawGlyph(sheet, kCheckBox, QPoint(left, 2 * kGlyphCellHeight),
              Look{three_d, selected, pressed, true});
  }
  return sheet;
}

}  // namespace

void DrawOptionButton(QPainter& painter, const QPointF& cell_origin, bool three_d, bool selected,
                      bool pressed) {
  // The pixel picture's rings are one pixel wide on a 12-pixel circle: radii 6, 5 and 4 about
  // its centre, the dot a circle of 4 pixels. The 3-D light falls from the top left, so the
  // upper-left half of each ring (45 to 225 degrees) is the darker one.
  constexpr qreal kRadius = 6;
  const QPointF centre =
      cell_origin + QPointF(kOptionButtonLeft + kRadius, kOptionButtonTop + kRadius);
  const QRgb inside = pressed ? kLightGrey : kWhite;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  auto disc = [&](qreal r, QRgb colour) {
    painter.setBrush(QColor::fromRgb(colour));
    painter.drawEllipse(centre, r, r);
  };
  auto upper_left_half = [&](qreal r, QRgb colour) {
    painter.setBrush(QColor::fromRgb(colour));
    painter.drawPie(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 45 * 16, 180 * 16);
  };
  if (three_d) {
    disc(kRadius, kWhite);
    upper_left_half(kRadius, kShadowGrey);
    disc(kRadius - 1, kFaceGrey);
    upper_left_half(kRadius - 1, kBlack);
  } else {
    disc(kRadius, kBlack);
  }
  disc(kRadius - (three_d ? 2 : 1), inside);
  if (selected) disc(2, kBlack);
  painter.restore();
}

const QImage& GlyphSheet(bool three_d) {
  static const QImage kThreeD = BuildSheet(true);
  static const QImage kFlat = BuildSheet(false);
  return three_d ? kThreeD : kFlat;
}

}  // namespace orvell
