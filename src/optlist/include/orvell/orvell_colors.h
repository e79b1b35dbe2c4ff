// Colour values of the option-list control. A colour is a 32-bit value in the classic
// system-colour encoding: 0x80000000 | n names system colour n (0x8000000F button face,
// 0x80000012 button text, 0x80000005 window background, 0x80000008 window text, ...), resolved
// against the widget's palette when drawn; any other value is an RGB colour stored as
// 0x00BBGGRR (red in the low byte).
#pragma once

#include <QtGui/QColor>
#include <QtGui/QPalette>
#include <cstdint>

#include "orvell/orvell_export.h"

namespace orvell {

using ColorValue = std::uint32_t;

inline constexpr ColorValue kSystemColorFlag = 0x80000000;
inline constexpr ColorValue kScrollBar = 0x80000000;
inline constexpr ColorValue kDesktop = 0x80000001;
inline constexpr ColorValue kActiveTitleBar = 0x80000002;
inline constexpr ColorValue kInactiveTitleBar = 0x80000003;
inline constexpr ColorValue kMenuBar = 0x80000004;
inline constexpr ColorValue kWindowBackground = 0x80000005;
inline constexpr ColorValue kWindowFrame = 0x80000006;
inline constexpr ColorValue kMenuText = 0x80000007;
inline constexpr ColorValue kWindowText = 0x80000008;
inline constexpr ColorValue kTitleBarText = 0x80000009;
inline constexpr ColorValue kActiveBorder = 0x8000000A;
inline constexpr ColorValue kInactiveBorder = 0x8000000B;
inline constexpr ColorValue kApplicationWorkspace = 0x8000000C;
inline constexpr ColorValue kHighlight = 0x8000000D;
inline constexpr ColorValue kHighlightText = 0x8000000E;
inline constexpr ColorValue kButtonFace = 0x8000000F;
inline constexpr ColorValue kButtonShadow = 0x80000010;
inline constexpr ColorValue kGrayText = 0x80000011;
inline constexpr ColorValue kButtonText = 0x80000012;
inline constexpr ColorValue kInactiveCaptionText = 0x80000013;
inline constexpr ColorValue kButtonHighlight = 0x80000014;
inline constexpr ColorValue k3DDarkShadow = 0x80000015;
inline constexpr ColorValue k3DLight = 0x80000016;
inline constexpr ColorValue kInfoText = 0x80000017;
inline constexpr ColorValue kInfoBackground = 0x80000018;

// True for 0x80000000 | n.
ORVELL_EXPORT bool IsSystemColor(ColorValue value);

// The palette role a system colour maps to (button face -> Button, button text -> ButtonText,
// window background -> Base, window text -> Text, button shadow -> Dark, button highlight ->
// Light, window frame -> Shadow, ...). Unknown system colours map to WindowText.
ORVELL_EXPORT QPalette::ColorRole SystemColorRole(ColorValue value);

// The colour to draw with: system colours from the palette's active group, other values as
// 0x00BBGGRR (the top byte is ignored).
ORVELL_EXPORT QColor ResolveColor(ColorValue value, const QPalette& palette);

// An RGB colour in the control's encoding (0x00BBGGRR); alpha is dropped.
ORVELL_EXPORT ColorValue ColorValueFromRgb(const QColor& color);

// The name of a system colour ("Button Face", ...) or "#RRGGBB" for an RGB value; and the
// reverse, which also accepts "&H8000000F&", "0x8000000F" and decimal numbers. Returns false
// when the text names no colour.
ORVELL_EXPORT QString ColorValueName(ColorValue value);
ORVELL_EXPORT bool ParseColorValue(const QString& text, ColorValue* value);

}  // namespace orvell
