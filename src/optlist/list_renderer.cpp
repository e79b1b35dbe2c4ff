#include "list_renderer.h"

#include <QtGui/QPainter>
#include <algorithm>

#include "glyph_sheet.h"

namespace orvell {

namespace {

constexpr int kTextFlags =
    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextDontClip;

// Rows and texts this far outside the picture are not drawn at all, so that no huge
// coordinate reaches the painter.
constexpr qint64 kDrawSlack = 4096;

class Canvas {
 public:
  Canvas(QPainter& painter, const QPalette& palette) : p_(painter), palette_(palette) {}

  QColor Color(ColorValue value) const { return ResolveColor(value, palette_); }

  void HLine(int x1, int x2, int y, const QColor& c) {
    if (x2 >= x1) p_.fillRect(QRect(x1, y, x2 - x1 + 1, 1), c);
  }
  void VLine(int x, int y1, int y2, const QColor& c) {
    if (y2 >= y1) p_.fillRect(QRect(x, y1, 1, y2 - y1 + 1), c);
  }
  // Outline of the rectangle with corners (x1, y1) and (x2, y2), both inclusive.
  void Outline(int x1, int y1, int x2, int y2, const QColor& c) {
    HLine(x1, x2, y1, c);
    HLine(x1, x2, y2, c);
    VLine(x1, y1, y2, c);
    VLine(x2, y1, y2, c);
  }
  // A dotted outline: every other pixel, as focus rectangles are drawn.
  void DottedOutline(const QRect& r, const QColor& c) {
    const int x1 = r.left();
    const int y1 = r.top();
    const int x2 = r.right();
    const int y2 = r.bottom();
    for (int x = x1; x <= x2; ++x) {
      if (((x - x1) & 1) == 0) {
        p_.fillRect(QRect(x, y1, 1, 1), c);
        p_.fillRect(QRect(x, y2, 1, 1), c);
      }
    }
    for (int y = y1; y <= y2; ++y) {
      if (((y - y1) & 1) == 0) {
        p_.fillRect(QRect(x1, y, 1, 1), c);
        p_.fillRect(QRect(x2, y, 1, 1), c);
      }
    }
  }

 private:
  QPainter& p_;
  const QPalette& palette_;
};

void DrawFrame(Canvas& canvas, const RenderInput& in, int top) {
  const int right = in.size.width() - 1;
  const int bottom = in.size.height() - 1;
  const QColor highlight = canvas.Color(kButtonHighlight);
  const QColor shadow = canvas.Color(kButtonShadow);
  switch (in.border_effect) {
    case 0:
      canvas.Outline(0, top, right, bottom, canvas.Color(kWindowFrame));
      break;
    case 1:    // raised
    case 2: {  // lowered
      const QColor& light_side = in.border_effect == 1 ? highlight : shadow;
      const QColor& dark_side = in.border_effect == 1 ? shadow : highlight;
      canvas.HLine(0, right, top, light_side);
      canvas.VLine(0, top, bottom, light_side);
      canvas.HLine(0, right, bottom, dark_side);
      canvas.VLine(right, top, bottom, dark_side);
      break;
    }
    case 3: {  // drop shadow: the frame, and a two-pixel shadow offset by 2 below and right
      canvas.Outline(0, top, right - 2, bottom - 2, canvas.Color(kWindowText));
      const QColor drop = canvas.Color(in.shadow_color);
      canvas.HLine(2, right, bottom - 1, drop);
      canvas.HLine(2, right, bottom, drop);
      canvas.VLine(right - 1, top + 2, bottom, drop);
      canvas.VLine(right, top + 2, bottom, drop);
      break;
    }
    case 4:  // inset: a highlight rectangle offset by 1 under a shadow rectangle
      canvas.Outline(1, top + 1, right, bottom, highlight);
      canvas.Outline(0, top, right - 1, bottom - 1, shadow);
      break;
    default:
      break;
  }
}

bool Near(qint64 v, int extent) { return v > -kDrawSlack && v < extent + kDrawSlack; }

}  // namespace

QImage RenderList(const RenderInput& in) {
  const qreal dpr = in.device_pixel_ratio > 0 ? in.device_pixel_ratio : 1;
  const QSize pixels(std::max(1, qRound(in.size.width() * dpr)),
                     std::max(1, qRound(in.size.height() * dpr)));
  QImage image(pixels, QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
  image.setDotsPerMeterX(in.dots_per_meter_x);
  image.setDotsPerMeterY(in.dots_per_meter_y);

  QPainter painter(&image);
  Canvas canvas(painter, in.palette);
  const ListGeometry& g = in.geometry;
  const QColor back = canvas.Color(in.back_color);

  // 1. Background.
  painter.fillRect(QRect(QPoint(0, 0), in.size), back);

  // 2, 3. The frame, its top edge half a caption line below the top.
  const int frame_top = g.FrameTop();
  if (in.border_style == 1) DrawFrame(canvas, in, frame_top);

  // 4. Items.
  const QImage& sheet = GlyphSheet(in.three_d);
  const QColor item_color = canvas.Color(in.item_fore_color);
  painter.setFont(in.item_font);
  const int count = std::min<int>(g.ItemCount(), static_cast<int>(in.items.size()));
  for (int i = 0; i < count; ++i) {
    const qint64 gx = g.GlyphLeft();
    const qint64 gy = g.GlyphTop(i);
    if (!Near(gy, in.size.height())) continue;
    const RenderItem& item = in.items[static_cast<size_t>(i)];
    const bool selected = i == in.list_index;
    if (Near(gx, in.size.width())) {
      const QPoint cell(static_cast<int>(gx), static_cast<int>(gy));
      const bool pressed = i == in.pressed_item;
      if (dpr == 1) {
        painter.drawImage(cell, sheet, GlyphCell(kOptionButtonRow, selected, pressed));
      } else {
        DrawOptionButton(painter, cell, in.three_d, selected, pressed);
      }
    }
    const qint64 tx = g.TextLeft(i);
    const qint64 ty = g.TextTop(i);
    if (!Near(tx, in.size.width()) || !Near(ty, in.size.height())) continue;
    const QRect text_box(static_cast<int>(tx), static_cast<int>(ty),
                         g.input().item_text_widths[static_cast<size_t>(i)],
                         g.input().item_text_height);
    painter.setPen((in.enabled && item.enabled) ? item_color : QColor(kDisabledItemText));
    painter.drawText(text_box, kTextFlags, item.caption);
    if (selected && in.focused) {
      // The focus rectangle contrasts with the background, as an inverting one would.
      const QColor inverse(255 - back.red(), 255 - back.green(), 255 - back.blue());
      canvas.DottedOutline(text_box.adjusted(-2, -2, 2, 2), inverse);
    }
  }

  // 5. The caption, last, on a box blanked over the frame line.
  const QRect box = g.CaptionBox();
  if (!in.caption.isEmpty() && box.width() > 0) {
    painter.fillRect(box, back);
    painter.setFont(in.font);
    painter.setPen(in.enabled ? canvas.Color(in.fore_color) : QColor(kDisabledCaption));
    painter.drawText(box, kTextFlags, QLatin1Char(' ') + in.caption + QLatin1Char(' '));
  }
  painter.end();
  return image;
}

}  // namespace orvell
