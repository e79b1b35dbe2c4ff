// The two glyph sheets of the control, 3-D and flat: the library's own artwork, drawn here
// pixel by pixel; and the option button drawn as shapes for screens with more device pixels. Each
// sheet is 56 x 39 pixels: four columns of 14 by three rows of 13. Row 0 holds check boxes, row 1
// option buttons, row 2 greyed check boxes; the column is 1 when the glyph is selected (checked)
// plus 2 when it is pressed. Unpainted pixels are transparent.
#pragma once

#include <QtGui/QImage>

class QPainter;

namespace orvell {

inline constexpr int kGlyphCellWidth = 14;
inline constexpr int kGlyphCellHeight = 13;
inline constexpr int kGlyphSheetWidth = 4 * kGlyphCellWidth;
inline constexpr int kGlyphSheetHeight = 3 * kGlyphCellHeight;
inline constexpr int kOptionButtonRow = 1;

// The option button sits at this offset inside its cell, 12 x 12 pixels.
inline constexpr int kOptionButtonLeft = 1;
inline constexpr int kOptionButtonTop = 0;

// Built once per process.
const QImage& GlyphSheet(bool three_d);

// The option button of the cell at cell_origin (logical pixels) drawn as shapes: the rings, the
// inside and the dot of the sheet's button, in its colours, as sharp as the painter's device
// allows. Used where a pixel is more than one device pixel; the sheet's picture would be
// enlarged pixel by pixel there.
void DrawOptionButton(QPainter& painter, const QPointF& cell_origin, bool three_d, bool selected,
                      bool pressed);

// The source rectangle of a glyph in a sheet.
inline QRect GlyphCell(int row, bool selected, bool pressed) {
  const int column = (selected ? 1 : 0) + (pressed ? 2 : 0);
  return QRect(column * kGlyphCellWidth, row * kGlyphCellHeight, kGlyphCellWidth, kGlyphCellHeight);
}

}  // namespace orvell
