// The complete set of an OrvellList's own properties as plain data: what the property bag and
// the defaults file carry, with the initial values of a new control and the checks every way of
// setting a property shares.
#pragma once

#include <QtCore/QString>
#include <QtGui/QFont>
#include <QtGui/QPixmap>
#include <limits>

#include "orvell/orvell_colors.h"

namespace orvell {

// The caption and item font of a new control: "MS Sans Serif", 8 point, every attribute given
// so that nothing is inherited from the parent widget.
QFont InitialFont();

// A font read from a bag or the defaults file: a point size outside 1..1000 becomes 8 point,
// an empty family "MS Sans Serif".
QFont SanitisedFont(QFont font);

// Makes "MS Sans Serif", which no Linux system has, resolve to a metrically similar sans
// serif instead of whatever fontconfig picks; does nothing when a substitute is already set.
void InstallFontSubstitutes();

// The look of a control that it keeps as plain values, with their initial values: shared by
// the control itself and the property set it saves and loads.
struct OrvellLook {
  QString caption = QStringLiteral("OrvellList 1");
  int alignment = 0;
  int item_alignment = 0;
  int border_style = 1;
  int border_effect = 4;
  bool three_d = true;
  ColorValue shadow_color = 0;
  ColorValue item_fore_color = kButtonText;
  ColorValue back_color = kButtonFace;
  ColorValue fore_color = kButtonText;
  int left_margin = 16;
  int top_margin = 20;
  int spacing = 16;
  int item_gap = 4;
  QFont item_font = InitialFont();
  QString tool_tip;
  int mouse_pointer = 0;
  QPixmap mouse_icon;
};

// Every persisted property: the look, the items and selection, the caption font and the
// enabled state (the last two are the widget's own).
struct OrvellProperties : OrvellLook {
  // The item lines as OptionItems::JoinStored writes them.
  QString contents;
  int list_index = -1;
  QFont font = InitialFont();
  bool enabled = true;
};

// The checks of the setters. Distances are any int; positions derived from them are computed
// in 64 bits.
inline constexpr qint64 kMinDistance = std::numeric_limits<int>::min();
inline constexpr qint64 kMaxDistance = std::numeric_limits<int>::max();

inline bool IsValidBorderStyle(qint64 v) { return v >= 0 && v <= 1; }
inline bool IsValidBorderEffect(qint64 v) { return v >= 0 && v <= 4; }
inline bool IsValidAlignment(qint64 v) { return v >= 0 && v <= 2; }
inline bool IsValidItemAlignment(qint64 v) { return v >= 0 && v <= 1; }
inline bool IsValidMargin(qint64 v) { return v >= kMinDistance && v <= kMaxDistance; }
inline bool IsValidSpacing(qint64 v) { return v != 0 && IsValidMargin(v); }
inline bool IsValidItemGap(qint64 v) { return v >= 0 && v <= kMaxDistance; }
inline bool IsValidMousePointer(qint64 v) { return (v >= 0 && v <= 15) || v == 99; }
// -1 for nothing selected, else an item index, possibly of an item still to come.
inline bool IsValidListIndex(qint64 v) { return v >= -1 && v < 32767; }
// The automation booleans: 0 false, 1 and -1 true.
inline bool IsValidFlag(qint64 v) { return v == 0 || v == 1 || v == -1; }

}  // namespace orvell
