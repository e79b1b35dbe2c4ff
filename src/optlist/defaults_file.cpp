#include "defaults_file.h"

#include <dlfcn.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>

#include "file_replacer.h"
#include "orvell/orvell_defaults.h"
#include "value_reader.h"

namespace orvell {

namespace {

QStringList& SearchPathOverride() {
  static QStringList paths;
  return paths;
}

// The folder of the shared object that holds this function: the orvell library.
QString LibraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&LibraryFolder), &info) == 0 || !info.dli_fname) {
    return QString();
  }
  return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

QString Section() { return QString::fromLatin1(kDefaultsSection); }

std::optional<QString> Key(const IniFile& ini, const char* key) {
  return ini.Value(Section(), QString::fromLatin1(key));
}

void ReadIntegerKey(const IniFile& ini, const char* key, int* target, bool (*check)(qint64)) {
  const std::optional<QString> text = Key(ini, key);
  if (!text) return;
  const std::optional<qint64> value = ReadInteger(QVariant(*text));
  if (value && check(*value)) *target = static_cast<int>(*value);
}

void ReadColorKey(const IniFile& ini, const char* key, ColorValue* target) {
  const std::optional<QString> text = Key(ini, key);
  if (!text) return;
  if (const std::optional<ColorValue> value = ReadColor(QVariant(*text))) *target = *value;
}

QFont ReadFontKeys(const IniFile& ini, const QString& prefix, QFont font) {
  auto key = [&](const char* suffix) {
    return ini.Value(Section(), prefix + QLatin1String(suffix));
  };
  if (const std::optional<QString> name = key("Name"); name && !name->isEmpty()) {
    font.setFamily(*name);
  }
  if (const std::optional<QString> size = key("Size")) {
    // A size that cannot be converted gives 8 point.
    const double points = ReadReal(QVariant(*size)).value_or(8);
    font.setPointSizeF(points > 0 ? points : 8);
  }
  auto flag = [&](const char* suffix, void (QFont::*set)(bool)) {
    if (const std::optional<QString> text = key(suffix)) {
      if (const std::optional<bool> on = ReadFlag(QVariant(*text))) (font.*set)(*on);
    }
  };
  flag("Bold", &QFont::setBold);
  flag("Italic", &QFont::setItalic);
  flag("Underline", &QFont::setUnderline);
  flag("Strikethru", &QFont::setStrikeOut);
  return SanitisedFont(font);
}

void PutFontKeys(IniFile& ini, const QString& prefix, const QFont& font) {
  auto put = [&](const char* suffix, const QString& value) {
    ini.SetValue(Section(), prefix + QLatin1String(suffix), value);
  };
  put("Name", font.family());
  put("Size", QString::number(font.pointSizeF()));
  put("Bold", font.bold() ? QStringLiteral("1") : QStringLiteral("0"));
  put("Italic", font.italic() ? QStringLiteral("1") : QStringLiteral("0"));
  put("Underline", font.underline() ? QStringLiteral("1") : QStringLiteral("0"));
  put("Strikethru", font.strikeOut() ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace

QStringList DefaultsFileSearchPaths() {
  if (!SearchPathOverride().isEmpty()) return SearchPathOverride();
  const QString name = QString::fromLatin1(kDefaultsFileName);
  QStringList paths;
  auto add = [&](const QString& folder) {
    if (folder.isEmpty()) return;
    const QString path = QDir(folder).absoluteFilePath(name);
    if (!paths.contains(path)) paths.append(path);
  };
  add(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  add(LibraryFolder());
  if (QCoreApplication::instance()) add(QCoreApplication::applicationDirPath());
  return paths;
}

void SetDefaultsFileSearchPaths(const QStringList& files) { SearchPathOverride() = files; }

QString DefaultsFileWritePath() {
  const QStringList paths = DefaultsFileSearchPaths();
  return paths.isEmpty() ? QString() : paths.first();
}

OrvellProperties DefaultsFromIni(const IniFile& ini) {
  OrvellProperties p;
  ReadIntegerKey(ini, "BorderStyle", &p.border_style, IsValidBorderStyle);
  if (const std::optional<QString> text = Key(ini, "ThreeD")) {
    if (const std::optional<bool> on = ReadFlag(QVariant(*text))) p.three_d = *on;
  }
  ReadIntegerKey(ini, "BorderEffect", &p.border_effect, IsValidBorderEffect);
  ReadIntegerKey(ini, "LeftMargin", &p.left_margin, IsValidMargin);
  ReadIntegerKey(ini, "TopMargin", &p.top_margin, IsValidMargin);
  ReadIntegerKey(ini, "Spacing", &p.spacing, IsValidSpacing);
  // A new control has no items yet; the index waits for them.
  ReadIntegerKey(ini, "ListIndex", &p.list_index, IsValidListIndex);
  ReadIntegerKey(ini, "Align", &p.alignment, IsValidAlignment);
  ReadIntegerKey(ini, "ItemAlign", &p.item_alignment, IsValidItemAlignment);
  ReadIntegerKey(ini, "ItemGap", &p.item_gap, IsValidItemGap);
  ReadColorKey(ini, "ShadowColor", &p.shadow_color);
  ReadColorKey(ini, "ItemForeColor", &p.item_fore_color);
  ReadColorKey(ini, "BackColor", &p.back_color);
  ReadColorKey(ini, "ForeColor", &p.fore_color);
  ReadIntegerKey(ini, "MousePointer", &p.mouse_pointer, IsValidMousePointer);
  p.font = ReadFontKeys(ini, QStringLiteral("Font"), p.font);
  p.item_font = ReadFontKeys(ini, QStringLiteral("ItemFont"), p.item_font);
  return p;
}

OrvellProperties ReadDefaultProperties() {
  for (const QString& path : DefaultsFileSearchPaths()) {
    IniFile ini;
    if (ini.Load(path) == IniFile::LoadResult::kLoaded) return DefaultsFromIni(ini);
  }
  return OrvellProperties();
}

void PutDefaults(const OrvellProperties& p, IniFile& ini) {
  auto put = [&](const char* key, const QString& value) {
    ini.SetValue(Section(), QString::fromLatin1(key), value);
  };
  auto color = [](ColorValue value) { return QString::number(value); };
  put("BorderStyle", QString::number(p.border_style));
  put("ThreeD", p.three_d ? QStringLiteral("1") : QStringLiteral("0"));
  put("BorderEffect", QString::number(p.border_effect));
  put("LeftMargin", QString::number(p.left_margin));
  put("TopMargin", QString::number(p.top_margin));
  put("Spacing", QString::number(p.spacing));
  put("ListIndex", QString::number(p.list_index));
  put("Align", QString::number(p.alignment));
  put("ItemAlign", QString::number(p.item_alignment));
  put("ItemGap", QString::number(p.item_gap));
  put("ShadowColor", color(p.shadow_color));
  put("ItemForeColor", color(p.item_fore_color));
  put("BackColor", color(p.back_color));
  put("ForeColor", color(p.fore_color));
  put("MousePointer", QString::number(p.mouse_pointer));
  PutFontKeys(ini, QStringLiteral("Font"), p.font);
  PutFontKeys(ini, QStringLiteral("ItemFont"), p.item_font);
}

bool WriteDefaultProperties(const OrvellProperties& properties, const QString& path,
                            QString* error) {
  auto fail = [error](const QString& reason) {
    if (error) *error = reason;
    return false;
  };
  if (path.isEmpty()) return fail(QStringLiteral("No folder for the defaults file."));
  IniFile ini;
  if (ini.Load(path) == IniFile::LoadResult::kUnreadable) {
    return fail(QStringLiteral("%1 cannot be read.").arg(QDir::toNativeSeparators(path)));
  }
  PutDefaults(properties, ini);
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    return fail(
        QStringLiteral("The folder of %1 cannot be created.").arg(QDir::toNativeSeparators(path)));
  }
  return ReplaceFile(path, ini.Serialise(), error);
}

}  // namespace orvell
