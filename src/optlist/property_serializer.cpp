#include "property_serializer.h"

#include <QtCore/QBuffer>
#include <QtGui/QImageReader>
#include <cmath>

#include "option_items.h"
#include "value_reader.h"

namespace orvell {

namespace {

constexpr double kHimetricPerInch = 2540;
constexpr double kPixelsPerInch = 96;

// Reads a 16-bit little-endian value at offset; false when it does not fit in the blob.
bool ReadUint16(const QByteArray& blob, qsizetype offset, quint16* value) {
  if (offset < 0 || offset + 2 > blob.size()) return false;
  const auto lo = static_cast<quint16>(static_cast<unsigned char>(blob[offset]));
  const auto hi = static_cast<quint16>(static_cast<unsigned char>(blob[offset + 1]));
  *value = static_cast<quint16>(lo | (hi << 8));
  return true;
}

template <typename T, typename Reader, typename Check>
void ReadInto(const PropertyBag& bag, const char* name, T* target, Reader reader, Check check) {
  const auto value = reader(bag.Read(QString::fromLatin1(name)));
  if (value && check(*value)) *target = static_cast<T>(*value);
}

void ReadIntegerInto(const PropertyBag& bag, const char* name, int* target, bool (*check)(qint64)) {
  ReadInto(bag, name, target, ReadInteger, check);
}

auto Always = [](const auto&) { return true; };

QFont ReadFontEntry(const QVariant& value, const QFont& fallback) {
  if (value.metaType().id() == QMetaType::QFont) return SanitisedFont(value.value<QFont>());
  if (value.metaType().id() == QMetaType::QString) {
    QFont font;
    if (font.fromString(value.toString())) return SanitisedFont(font);
  }
  return fallback;
}

// The older form's separate font entries, prefix "Font" or "ItemFont".
QFont ReadLegacyFont(const PropertyBag& bag, const QString& prefix, const QFont& fallback) {
  const std::optional<QString> name = ReadText(bag.Read(prefix + QLatin1String("Name")));
  if (!name || name->isEmpty()) return fallback;
  QFont font = InitialFont();
  font.setFamily(*name);
  const std::optional<double> size = ReadReal(bag.Read(prefix + QLatin1String("Size")));
  font.setPointSizeF(size && *size > 0 ? *size : 8);
  auto flag = [&](const char* suffix) {
    return ReadFlag(bag.Read(prefix + QLatin1String(suffix))).value_or(false);
  };
  font.setBold(flag("Bold"));
  font.setItalic(flag("Italic"));
  font.setUnderline(flag("UnderLine"));
  font.setStrikeOut(flag("Strikethru"));
  return SanitisedFont(font);
}

void ReadLegacyDistance(const PropertyBag& bag, const char* name, int* target,
                        bool (*check)(qint64)) {
  const std::optional<double> host = ReadReal(bag.Read(QString::fromLatin1(name)));
  if (!host) return;
  const std::optional<qint64> pixels = HostUnitsToPixels(*host, bag.HostUnitsPerInch());
  if (pixels && check(*pixels)) *target = static_cast<int>(*pixels);
}

}  // namespace

std::optional<QString> DecodeLegacyContents(const QByteArray& blob) {
  quint16 raw_count = 0;
  if (!ReadUint16(blob, 0, &raw_count)) return std::nullopt;
  const auto count = static_cast<qint16>(raw_count);
  if (count < 0) return std::nullopt;
  QStringList lines;
  qsizetype offset = 2;
  for (int i = 0; i < count; ++i) {
    quint16 length = 0;
    if (!ReadUint16(blob, offset, &length)) return std::nullopt;
    offset += 2;
    if (length > blob.size() - offset) return std::nullopt;
    lines.append(
        OptionItems::NormaliseLine(QString::fromLatin1(blob.constData() + offset, length)));
    offset += length;
  }
  return OptionItems::JoinStored(lines);
}

std::optional<qint64> HostUnitsToPixels(double value, double host_units_per_inch) {
  if (!std::isfinite(value) || !std::isfinite(host_units_per_inch) || host_units_per_inch <= 0) {
    return std::nullopt;
  }
  const double himetric = std::round(value / host_units_per_inch * kHimetricPerInch);
  const double pixels = std::round(himetric * kPixelsPerInch / kHimetricPerInch);
  if (!std::isfinite(pixels) || pixels < kMinDistance || pixels > kMaxDistance) {
    return std::nullopt;
  }
  return static_cast<qint64>(pixels);
}

QPixmap DecodeMouseIcon(const QByteArray& bytes) {
  if (bytes.isEmpty() || bytes.size() > kMaxMouseIconBytes) return QPixmap();
  QBuffer buffer;
  buffer.setData(bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return QPixmap();
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > kMaxMouseIconSide || size.height() > kMaxMouseIconSide) {
    return QPixmap();
  }
  const QImage image = reader.read();
  if (image.isNull() || image.width() > kMaxMouseIconSide || image.height() > kMaxMouseIconSide) {
    return QPixmap();
  }
  return QPixmap::fromImage(image);
}

QByteArray EncodeMouseIcon(const QPixmap& icon) {
  if (icon.isNull()) return QByteArray();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  icon.save(&buffer, "PNG");
  return bytes;
}

void WritePropertySet(const OrvellProperties& p, PropertyBag& bag) {
  auto put = [&bag](const char* name, const QVariant& value) {
    bag.Write(QString::fromLatin1(name), value);
  };
  put("_Version", kFormatVersion);
  put("MousePointer", p.mouse_pointer);
  put("MouseIcon", EncodeMouseIcon(p.mouse_icon));
  put("BorderStyle", p.border_style);
  put("Contents", p.contents);
  put("LeftMargin", p.left_margin);
  put("TopMargin", p.top_margin);
  put("Spacing", p.spacing);
  put("ItemGap", p.item_gap);
  put("Caption", p.caption);
  put("ShadowColor", static_cast<uint>(p.shadow_color));
  put("ItemForeColor", static_cast<uint>(p.item_fore_color));
  put("ThreeD", p.three_d);
  put("BorderEffect", p.border_effect);
  put("ListIndex", p.list_index);
  put("Alignment", p.alignment);
  put("ItemAlignment", p.item_alignment);
  put("ToolTip", p.tool_tip);
  put("ItemFont", p.item_font);
  put("Font", p.font);
  put("BackColor", static_cast<uint>(p.back_color));
  put("ForeColor", static_cast<uint>(p.fore_color));
  put("Enabled", p.enabled);
}

OrvellProperties ReadPropertySet(const PropertyBag& bag) {
  OrvellProperties p;
  const QVariant version_entry = bag.Read(QStringLiteral("_Version"));
  const std::optional<qint64> version = ReadInteger(version_entry);
  // An entry that is present but unreadable is taken as the current form.
  const bool legacy = version ? *version < kFormatVersion : !version_entry.isValid();

  ReadIntegerInto(bag, "MousePointer", &p.mouse_pointer, IsValidMousePointer);
  if (const std::optional<QByteArray> icon = ReadBlob(bag.Read(QStringLiteral("MouseIcon")))) {
    p.mouse_icon = DecodeMouseIcon(*icon);
  }
  ReadIntegerInto(bag, "BorderStyle", &p.border_style, IsValidBorderStyle);

  const QVariant contents = bag.Read(QStringLiteral("Contents"));
  if (const std::optional<QString> text = ReadText(contents)) {
    p.contents = *text;
  } else if (const std::optional<QByteArray> blob = ReadBlob(contents)) {
    p.contents = DecodeLegacyContents(*blob).value_or(QString());
  }
  // Contents is held as the lines the control keeps.
  p.contents = OptionItems::JoinStored(OptionItems::SplitContents(p.contents));

  if (legacy) {
    ReadLegacyDistance(bag, "LeftMargin", &p.left_margin, IsValidMargin);
    ReadLegacyDistance(bag, "TopMargin", &p.top_margin, IsValidMargin);
    ReadLegacyDistance(bag, "Spacing", &p.spacing, IsValidSpacing);
    ReadLegacyDistance(bag, "ItemGap", &p.item_gap, IsValidItemGap);
    p.font = ReadLegacyFont(bag, QStringLiteral("Font"), p.font);
    p.item_font = ReadLegacyFont(bag, QStringLiteral("ItemFont"), p.item_font);
  } else {
    ReadIntegerInto(bag, "LeftMargin", &p.left_margin, IsValidMargin);
    ReadIntegerInto(bag, "TopMargin", &p.top_margin, IsValidMargin);
    ReadIntegerInto(bag, "Spacing", &p.spacing, IsValidSpacing);
    ReadIntegerInto(bag, "ItemGap", &p.item_gap, IsValidItemGap);
    p.font = ReadFontEntry(bag.Read(QStringLiteral("Font")), p.font);
    p.item_font = ReadFontEntry(bag.Read(QStringLiteral("ItemFont")), p.item_font);
  }

  ReadInto(bag, "Caption", &p.caption, ReadText, Always);
  ReadInto(bag, "ShadowColor", &p.shadow_color, ReadColor, Always);
  ReadInto(bag, "ItemForeColor", &p.item_fore_color, ReadColor, Always);
  ReadInto(bag, "BackColor", &p.back_color, ReadColor, Always);
  ReadInto(bag, "ForeColor", &p.fore_color, ReadColor, Always);
  ReadInto(bag, "ThreeD", &p.three_d, ReadFlag, Always);
  ReadInto(bag, "Enabled", &p.enabled, ReadFlag, Always);
  ReadIntegerInto(bag, "BorderEffect", &p.border_effect, IsValidBorderEffect);
  ReadIntegerInto(bag, "Alignment", &p.alignment, IsValidAlignment);
  ReadIntegerInto(bag, "ItemAlignment", &p.item_alignment, IsValidItemAlignment);
  ReadInto(bag, "ToolTip", &p.tool_tip, ReadText, Always);

  ReadIntegerInto(bag, "ListIndex", &p.list_index, IsValidListIndex);
  return p;
}

}  // namespace orvell
