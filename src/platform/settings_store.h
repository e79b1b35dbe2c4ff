// The per-user settings store: text values under application, section and key, kept between
// runs of the program. The windows use the Qt implementation (platform_qt); tests and the
// command-line calculator use the in-memory one.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

namespace torvane {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text of application/section/key, or default_value when nothing is stored.
  virtual std::string GetSetting(std::string_view application, std::string_view section,
                                 std::string_view key, std::string_view default_value) const = 0;
  // Stores value under application/section/key. A store that cannot be written raises
  // FileError naming its file and the reason.
  virtual void SaveSetting(std::string_view application, std::string_view section,
                           std::string_view key, std::string_view value) = 0;
};

// Keeps the values in memory for the life of the object.
class MemorySettingsStore : public SettingsStore {
 public:
  std::string GetSetting(std::string_view application, std::string_view section,
                         std::string_view key, std::string_view default_value) const override;
  void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view value) override;

  bool empty() const { return values_.empty(); }
  size_t size() const { return values_.size(); }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace torvane
