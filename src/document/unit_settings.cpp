#include "document/unit_settings.h"

#include <charconv>
#include <string>

#include "document/ansi_text.h"

namespace torvane {

std::optional<std::int16_t> ParseStoredInteger(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-') return std::nullopt;
  }
  std::int16_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void LoadUnitSettings(const SettingsStore& store, CaseRecord& record) {
  const auto read_index = [&](std::string_view key, int count) -> std::int16_t {
    const std::string text = store.GetSetting(kSettingsApplication, kUnitsSection, key, "0");
    const auto value = ParseStoredInteger(text);
    if (!value || *value < 0 || *value >= count) return 0;
    return *value;
  };
  record.unit_system = read_index(kUnitSystemKey, kUnitSystemCount);
  record.unit_system_name = FixedText<2>(Utf8ToAnsi(
      store.GetSetting(kSettingsApplication, kUnitsSection, kUnitSystemNameKey, "English")));
  for (int q = 0; q < kQuantityCount; ++q) {
    const QuantityUnits& units = UnitCatalogue(q);
    record.unit_num[static_cast<size_t>(q)] =
        read_index(units.field, static_cast<int>(units.units.size()));
  }
}

void SaveUnitSettings(SettingsStore& store, const CaseRecord& record) {
  store.SaveSetting(kSettingsApplication, kUnitsSection, kUnitSystemKey,
                    std::to_string(record.unit_system));
  store.SaveSetting(kSettingsApplication, kUnitsSection, kUnitSystemNameKey,
                    AnsiToUtf8(record.unit_system_name.view()));
  for (int q = 0; q < kQuantityCount; ++q) {
    store.SaveSetting(kSettingsApplication, kUnitsSection, UnitCatalogue(q).field,
                      std::to_string(record.unit_num[static_cast<size_t>(q)]));
  }
}

}  // namespace torvane
