#include "orvell/orvell_colors.h"

#include <array>

namespace orvell {

namespace {

struct SystemColor {
  QPalette::ColorRole role;
  const char* name;
};

// System colours 0x80000000 .. 0x80000018 and the palette roles that play their part here.
constexpr std::array<SystemColor, 25> kSystemColors = {{
    {QPalette::Button, "Scroll Bars"},
    {QPalette::Window, "Desktop"},
    {QPalette::Highlight, "Active Title Bar"},
    {QPalette::Mid, "Inactive Title Bar"},
    {QPalette::Window, "Menu Bar"},
    {QPalette::Base, "Window Background"},
    {QPalette::Shadow, "Window Frame"},
    {QPalette::WindowText, "Menu Text"},
    {QPalette::Text, "Window Text"},
    {QPalette::HighlightedText, "Active Title Bar Text"},
    {QPalette::Window, "Active Border"},
    {QPalette::Window, "Inactive Border"},
    {QPalette::Dark, "Application Workspace"},
    {QPalette::Highlight, "Highlight"},
    {QPalette::HighlightedText, "Highlighted Text"},
    {QPalette::Button, "Button Face"},
    {QPalette::Dark, "Button Shadow"},
    {QPalette::PlaceholderText, "Disabled Text"},
    {QPalette::ButtonText, "Button Text"},
    {QPalette::Mid, "Inactive Title Bar Text"},
    {QPalette::Light, "Button Highlight"},
    {QPalette::Shadow, "Button Dark Shadow"},
    {QPalette::Midlight, "Button Light Shadow"},
    {QPalette::ToolTipText, "ToolTip Text"},
    {QPalette::ToolTipBase, "ToolTip"},
}};

const SystemColor* FindSystemColor(ColorValue value) {
  if (!IsSystemColor(value)) return nullptr;
  const ColorValue index = value & 0x7FFFFFFF;
  if (index >= kSystemColors.size()) return nullptr;
  return &kSystemColors[index];
}

}  // namespace

bool IsSystemColor(ColorValue value) { return (value & kSystemColorFlag) != 0; }

QPalette::ColorRole SystemColorRole(ColorValue value) {
  const SystemColor* color = FindSystemColor(value);
  return color ? color->role : QPalette::WindowText;
}

QColor ResolveColor(ColorValue value, const QPalette& palette) {
  if (IsSystemColor(value)) return palette.color(QPalette::Active, SystemColorRole(value));
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

ColorValue ColorValueFromRgb(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<ColorValue>(rgb.red()) | (static_cast<ColorValue>(rgb.green()) << 8) |
         (static_cast<ColorValue>(rgb.blue()) << 16);
}

QString ColorValueName(ColorValue value) {
  if (const SystemColor* color = FindSystemColor(value)) return QString::fromLatin1(color->name);
  if (IsSystemColor(value)) {
    return QStringLiteral("&H%1&").arg(value, 8, 16, QLatin1Char('0')).toUpper();
  }
  const QColor rgb = ResolveColor(value, QPalette());
  return rgb.name(QColor::HexRgb).toUpper();
}

bool ParseColorValue(const QString& text, ColorValue* value) {
  const QString t = text.trimmed();
  for (size_t i = 0; i < kSystemColors.size(); ++i) {
    if (t.compare(QLatin1String(kSystemColors[i].name), Qt::CaseInsensitive) == 0) {
      *value = kSystemColorFlag | static_cast<ColorValue>(i);
      return true;
    }
  }
  bool ok = false;
  if (t.startsWith(u'#') && t.size() == 7) {
    const uint rgb = t.mid(1).toUInt(&ok, 16);
    if (!ok) return false;
    *value = ColorValueFromRgb(QColor::fromRgb(static_cast<QRgb>(rgb)));
    return true;
  }
  QString digits = t;
  int base = 10;
  if (digits.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
    digits = digits.mid(2);
    if (digits.endsWith(u'&')) digits.chop(1);
    base = 16;
  } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    digits = digits.mid(2);
    base = 16;
  }
  if (digits.isEmpty() || digits.startsWith(u'+')) return false;
  const qlonglong number = digits.toLongLong(&ok, base);
  // Signed 32-bit readings of the same bits (-2147483633 is 0x8000000F) are accepted.
  if (!ok || number < -2147483648LL || number > 0xFFFFFFFFLL) return false;
  *value = static_cast<ColorValue>(static_cast<quint32>(number & 0xFFFFFFFF));
  return true;
}

}  // namespace orvell
