// Writing and reading an OrvellList's property set in a property bag.
//
// Format version 4.1 (the entry "_Version" holds 0x00040001): MousePointer, MouseIcon (PNG
// bytes, empty for none), BorderStyle, Contents (text: the item lines joined by CR LF, with one
// more CR LF when the last item is empty so that it is not lost), LeftMargin, TopMargin, Spacing,
// ItemGap (whole pixels), Caption, ShadowColor, ItemForeColor, ThreeD, BorderEffect, ListIndex,
// Alignment, ItemAlignment, ToolTip, ItemFont, and the stock Font, BackColor, ForeColor and
// Enabled.
//
// The older form (no "_Version", or one below 4.1) differs in three ways: Contents is a blob,
// the fonts are separate entries, and the four distances are floating-point host units.
// The Contents blob is a little-endian 16-bit item count followed, per item, by a little-endian
// 16-bit length and that many single-byte (Latin-1) characters. The font entries are FontName,
// FontSize, FontBold, FontItalic, FontUnderLine, FontStrikethru and the ItemFont... twins.
// Host units become pixels through HIMETRIC (0.01 mm): host / units-per-inch * 2540, rounded,
// then * 96 / 2540, rounded.
//
// Every entry that is absent, of the wrong type or out of range leaves its initial value; a
// malformed blob leaves Contents empty. Nothing read is trusted for a size: the blob is walked
// within its own length, and a MouseIcon larger than 256 x 256 pixels or 1 MiB is not decoded.
#pragma once

#include <QtCore/QByteArray>
#include <optional>

#include "orvell/property_bag.h"
#include "property_set.h"

namespace orvell {

inline constexpr qint64 kFormatVersion = 0x00040001;
inline constexpr int kMaxMouseIconSide = 256;
inline constexpr qsizetype kMaxMouseIconBytes = 1024 * 1024;

void WritePropertySet(const OrvellProperties& properties, PropertyBag& bag);
OrvellProperties ReadPropertySet(const PropertyBag& bag);

// The older Contents blob as a stored Contents text; nothing when it is malformed.
std::optional<QString> DecodeLegacyContents(const QByteArray& blob);

// Host units of the older form to pixels; nothing when the result is not finite or beyond int.
std::optional<qint64> HostUnitsToPixels(double value, double host_units_per_inch);

// A cursor picture from image bytes, bounded as above; a null pixmap when unreadable.
QPixmap DecodeMouseIcon(const QByteArray& bytes);
QByteArray EncodeMouseIcon(const QPixmap& icon);

}  // namespace orvell
