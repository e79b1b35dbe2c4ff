#include "list_geometry.h"

namespace orvell {

qint64 FloorDiv(qint64 a, qint64 b) {
  qint64 q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

QRect ListGeometry::CaptionBox() const {
  const int w = in_.caption_box_width;
  const int half_blank = in_.caption_blank_width / 2;
  int x = half_blank;
  if (in_.alignment == 1) {
    x = in_.width - half_blank - w;
  } else if (in_.alignment == 2) {
    x = (in_.width - w) / 2;
  }
  return QRect(x, 0, w, in_.caption_text_height);
}

qint64 ListGeometry::GlyphLeft() const {
  if (in_.item_alignment == 1) {
    return static_cast<qint64>(in_.width) - in_.left_margin - kGlyphWidth;
  }
  return in_.left_margin;
}

qint64 ListGeometry::GlyphTop(int row) const {
  return static_cast<qint64>(in_.top_margin) + static_cast<qint64>(row) * in_.spacing;
}

qint64 ListGeometry::TextLeft(int row) const {
  if (in_.item_alignment == 1) {
    return GlyphLeft() - in_.item_gap - in_.item_text_widths[static_cast<size_t>(row)];
  }
  return GlyphLeft() + kGlyphWidth + in_.item_gap;
}

qint64 ListGeometry::TextTop(int row) const {
  return GlyphTop(row) + FloorDiv(kGlyphHeight - in_.item_text_height, 2);
}

int ListGeometry::RowAt(qint64 y, qint64 origin) const {
  if (in_.spacing == 0) return -1;
  // Row i's band starts at its own top (origin + i * Spacing) and runs |Spacing| down: with a
  // negative Spacing the rows stack upwards and the band still covers the row's button.
  const qint64 d = y - origin;
  const qint64 row = in_.spacing > 0 ? FloorDiv(d, in_.spacing) : -FloorDiv(d, -in_.spacing);
  return (row >= 0 && row < ItemCount()) ? static_cast<int>(row) : -1;
}

Span ListGeometry::TextZone(int row) const {
  const qint64 width = in_.item_text_widths[static_cast<size_t>(row)];
  if (in_.item_alignment == 1) {
    return Span{GlyphLeft() - in_.item_gap - width, GlyphLeft()};
  }
  const qint64 begin = GlyphLeft() + kGlyphWidth;
  return Span{begin, begin + in_.item_gap + width};
}

int ListGeometry::HitTest(qint64 x, qint64 y) const {
  const Span glyph{GlyphLeft(), GlyphLeft() + kGlyphWidth};
  if (glyph.Contains(x)) {
    const int row = RowAt(y, in_.top_margin);
    if (row >= 0) return row;
  }
  const int row = RowAt(
      y, static_cast<qint64>(in_.top_margin) + FloorDiv(kCaptionRowBase - in_.item_text_height, 2));
  if (row >= 0 && TextZone(row).Contains(x)) return row;
  return -1;
}

}  // namespace orvell
