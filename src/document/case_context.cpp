#include "document/case_context.h"

#include <algorithm>
#include <cctype>

#include "document/case_files.h"
#include "document/laby_data_units.h"
#include "document/unit_settings.h"
#include "platform/settings_store.h"
#include "platform/version.h"

namespace torvane {

std::string VersionText(int major, int minor, int revision) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
         std::to_string(revision);
}

void StartUp(CaseContext& context, const SettingsStore& store) {
  context.version_text = VersionText(kVersionMajor, kVersionMinor, kVersionRevision);
  ReservedInt& r = context.record.reserved_int;
  r.r1 = r.r2 = r.r3 = r.r4 = 0;
  for (int k = 0; k < 4; ++k) r.r5[static_cast<size_t>(k)] = 0;
  r.r6 = 1;
  r.r7 = 0;
  LoadUnitSettings(store, context.record);
  context.ApplyUnitChoice();
}

void OpenSettingsFile(CaseContext& context, const std::string& path) {
  SettingsFileContent content = ReadSettingsFile(path);
  // The indices have been checked against the catalogue, so this cannot fail.
  UnitChoice units = context.units;
  units.ApplyUnitChoice(content.record.unit_num);
  context.record = content.record;
  context.laby_data = content.laby_data;
  context.units = units;
  context.settings_file_path = path;
  context.show_stored_gas = true;
  context.laby_results_stored = true;
  // The labyrinth window's title belongs to the case it was typed for: the new case shows its
  // own title, instead of having it overwritten by the old one.
  context.laby_title.clear();
}

void SaveSettingsFile(CaseContext& context, const std::string& path) {
  WriteSettingsFile(path, context.record, context.laby_data);
  context.settings_file_path = path;
}

void OpenGasFile(CaseContext& context, const std::string& path) {
  CaseRecord record = ReadGasFile(path);
  UnitChoice units = context.units;
  units.ApplyUnitChoice(record.unit_num);
  // The labyrinth data stay, in the gas file's units from now on.
  context.laby_data = ConvertLabyData(context.laby_data, context.units, units);
  context.record = record;
  context.units = units;
  context.gas_file_path = path;
  context.gas_file_title = FileTitle(path);
  context.show_stored_gas = true;
  context.laby_title.clear();
}

void SaveGasFile(CaseContext& context, const std::string& path) {
  WriteGasFile(path, context.record);
  context.gas_file_path = path;
  context.gas_file_title = FileTitle(path);
}

std::string FileTitle(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ProposedGasFileName(const std::string& gas_file_title) {
  if (gas_file_title.size() >= 4) {
    std::string ext = gas_file_title.substr(gas_file_title.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (ext == ".BNQ") return gas_file_title.substr(0, gas_file_title.size() - 4);
  }
  return gas_file_title;
}

}  // namespace torvane
