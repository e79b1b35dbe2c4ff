// The per-user settings store over QSettings: application "QZ" is kept in
// ~/.config/QZ/QZ.conf, each section an INI group.
#pragma once

#include <QString>

#include "platform/settings_store.h"

namespace torvane {

class QtSettingsStore : public SettingsStore {
 public:
  // The user's own store (QSettings with organisation and application both the application
  // name).
  QtSettingsStore() = default;
  // A store kept under folder instead: folder/<application>/<application>.conf. Tests use this
  // so that they never touch the user's settings.
  explicit QtSettingsStore(QString folder) : folder_(std::move(folder)) {}

  std::string GetSetting(std::string_view application, std::string_view section,
                         std::string_view key, std::string_view default_value) const override;
  void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view value) override;

  // The file that holds application's settings.
  QString FileName(std::string_view application) const;

 private:
  QString folder_;
};

}  // namespace torvane
