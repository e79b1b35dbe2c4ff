#include "property_set.h"

#include <QtCore/QStringList>

namespace orvell {

namespace {

constexpr char kInitialFamily[] = "MS Sans Serif";
constexpr double kInitialPointSize = 8;
constexpr double kMaxPointSize = 1000;

}  // namespace

QFont InitialFont() {
  QFont font{QString::fromLatin1(kInitialFamily)};
  font.setPointSizeF(kInitialPointSize);
  font.setBold(false);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  font.setResolveMask(QFont::AllPropertiesResolved);
  return font;
}

QFont SanitisedFont(QFont font) {
  if (font.family().isEmpty()) font.setFamily(QString::fromLatin1(kInitialFamily));
  const double size = font.pointSizeF();
  if (!(size >= 1 && size <= kMaxPointSize)) font.setPointSizeF(kInitialPointSize);
  font.setResolveMask(QFont::AllPropertiesResolved);
  return font;
}

void InstallFontSubstitutes() {
  const QString family = QString::fromLatin1(kInitialFamily);
  if (!QFont::substitutes(family).isEmpty()) return;
  QFont::insertSubstitutions(family, {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
}

}  // namespace orvell
