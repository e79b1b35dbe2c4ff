// Draws an option list into an off-screen image: background, frame with its border effect,
// buttons from the glyph sheet, item texts, the focus rectangle and the caption.
#pragma once

#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QPalette>
#include <vector>

#include "list_geometry.h"
#include "orvell/orvell_colors.h"

namespace orvell {

inline constexpr QRgb kDisabledItemText = 0x808080;
inline constexpr QRgb kDisabledCaption = 0xC0C0C0;

struct RenderItem {
  QString caption;
  bool enabled = true;
};

struct RenderInput {
  QSize size;
  qreal device_pixel_ratio = 1;
  int dots_per_meter_x = 3780;  // 96 dpi
  int dots_per_meter_y = 3780;
  QPalette palette;
  ColorValue back_color = kButtonFace;
  ColorValue fore_color = kButtonText;
  ColorValue item_fore_color = kButtonText;
  ColorValue shadow_color = 0;
  QString caption;
  QFont font;
  QFont item_font;
  int border_style = 1;
  int border_effect = 4;
  bool three_d = true;
  ListGeometry geometry;
  std::vector<RenderItem> items;
  int list_index = -1;
  int pressed_item = -1;
  bool focused = false;
  bool enabled = true;
};

QImage RenderList(const RenderInput& input);

}  // namespace orvell
