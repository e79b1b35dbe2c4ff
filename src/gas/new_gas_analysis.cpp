#include "gas/new_gas_analysis.h"

#include "document/ansi_text.h"
#include "document/case_context.h"
#include "gas/gas_text.h"
#include "platform/message_service.h"

namespace torvane {

std::string NewGasFileTitle(const std::string& typed_name) {
  std::string name = typed_name;
  const auto end = name.find_last_not_of(' ');
  name.erase(end == std::string::npos ? 0 : end + 1);
  return UpperCaseUtf8(name) + ".GAS";
}

std::optional<int> NewGasAnalysisForm::CheckCount(const std::string& text, int highest,
                                                  const char* message) {
  const auto value = ParseCount(text);
  if (!value || *value < 1 || *value > highest) {
    messages_.Show(message);
    return std::nullopt;
  }
  return value;
}

bool NewGasAnalysisForm::LeaveNumFiles(const std::string& text) {
  return !CheckCount(text, kMaxGasFiles, kNumFilesRangeMessage);
}

bool NewGasAnalysisForm::LeaveGasNum(const std::string& text) {
  return !CheckCount(text, kMaxGases, kGasNumRangeMessage);
}

void NewGasAnalysisForm::LeaveGasFile(const std::string& text) {
  gas_file_title_ = NewGasFileTitle(text);
  ok_enabled_ = true;
}

NewGasAnalysisForm::Field NewGasAnalysisForm::Accept(const std::string& num_files_text,
                                                     const std::string& gas_num_text) {
  const auto files = CheckCount(num_files_text, kMaxGasFiles, kNumFilesRangeMessage);
  if (!files) return Field::kNumFiles;
  const auto gases = CheckCount(gas_num_text, kMaxGases, kGasNumRangeMessage);
  if (!gases) return Field::kGasNum;
  num_files_ = *files;
  num_gases_ = *gases;
  return Field::kNone;
}

void StartNewGasAnalysis(CaseContext& context, int num_files, int num_gases,
                         const std::string& gas_file_title) {
  context.record.last_gas_section = static_cast<std::int16_t>(num_files - 1);
  context.record.component_count = static_cast<std::int16_t>(num_gases);
  context.SetCurrentGas(0);
  context.gas_file_title = gas_file_title;
  ClearGasAnalysis(context.record);
  // A new analysis is never shown as stored data (a window hidden by "Enter new gases" may have
  // left the flag set), and no calculation may use the mixtures of the analysis it replaces.
  context.show_stored_gas = false;
  for (int g = 0; g < kGasSections; ++g) context.engine.ForgetMixture(g);
  context.gas_defined = true;
  // A new analysis starts a new, unnamed case: Save Settings never writes it over the case file
  // that was open before, and the report names no settings file for it.
  context.settings_file_path.clear();
}

}  // namespace torvane
