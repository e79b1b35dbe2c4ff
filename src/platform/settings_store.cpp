#include "platform/settings_store.h"

namespace torvane {

std::string MemorySettingsStore::GetSetting(std::string_view application, std::string_view section,
                                            std::string_view key,
                                            std::string_view default_value) const {
  const auto it = values_.find({std::string(application), std::string(section), std::string(key)});
  return it == values_.end() ? std::string(default_value) : it->second;
}

void MemorySettingsStore::SaveSetting(std::string_view application, std::string_view section,
                                      std::string_view key, std::string_view value) {
  values_[{std::string(application), std::string(section), std::string(key)}] = value;
}

}  // namespace torvane
