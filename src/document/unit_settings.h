// The stored unit choice: kept per user in the settings store under application "QZ",
// section "Units", one text value per key ("Un", "Nam", "IVNum" .. "LnNum").
#pragma once

#include <optional>
#include <string_view>

#include "document/case_record.h"
#include "platform/settings_store.h"

namespace torvane {

inline constexpr const char kSettingsApplication[] = "QZ";
inline constexpr const char kUnitsSection[] = "Units";
inline constexpr const char kUnitSystemKey[] = "Un";
inline constexpr const char kUnitSystemNameKey[] = "Nam";

// Reads UnitSystem, UnitSystemName and the 14 unit fields of record from the store. A missing
// key gives its default ("0"; "English" for the name, which the 2-character field holds as
// "En"). A stored value that is not a whole number, or a number outside the key's list
// (0..3 for the unit system, the quantity's units for an index), gives that key's default too.
void LoadUnitSettings(const SettingsStore& store, CaseRecord& record);

// Writes every key from record: numbers as decimal text, the name as its two characters.
void SaveUnitSettings(SettingsStore& store, const CaseRecord& record);

// A stored integer: optional blanks around an optional sign and decimal digits, within the
// 16-bit range. Anything else gives nothing.
std::optional<std::int16_t> ParseStoredInteger(std::string_view text);

}  // namespace torvane
