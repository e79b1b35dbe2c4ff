#include "platform/qt_settings_store.h"

#include <QSettings>
#include <memory>

#include "platform/errors.h"

namespace torvane {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::unique_ptr<QSettings> Open(const QString& folder, std::string_view application,
                                const QString& file) {
  if (folder.isEmpty()) return std::make_unique<QSettings>(Q(application), Q(application));
  return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

}  // namespace

QString QtSettingsStore::FileName(std::string_view application) const {
  if (folder_.isEmpty()) return QSettings(Q(application), Q(application)).fileName();
  return folder_ + '/' + Q(application) + '/' + Q(application) + ".conf";
}

std::string QtSettingsStore::GetSetting(std::string_view application, std::string_view section,
                                        std::string_view key,
                                        std::string_view default_value) const {
  const auto settings = Open(folder_, application, FileName(application));
  settings->beginGroup(Q(section));
  const QVariant value = settings->value(Q(key));
  if (!value.isValid()) return std::string(default_value);
  // An INI value with unquoted commas comes back as a list; it is one text to the caller.
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(", ").toStdString();
  }
  return value.toString().toStdString();
}

void QtSettingsStore::SaveSetting(std::string_view application, std::string_view section,
                                  std::string_view key, std::string_view value) {
  const QString file = FileName(application);
  const auto settings = Open(folder_, application, file);
  settings->beginGroup(Q(section));
  settings->setValue(Q(key), Q(value));
  settings->endGroup();
  settings->sync();
  if (settings->status() != QSettings::NoError) {
    throw FileError(file.toStdString(), "the settings could not be written");
  }
}

}  // namespace torvane
