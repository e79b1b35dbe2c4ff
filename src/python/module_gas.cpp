#include "python/module_gas.h"

#include <cmath>

#include "document/ansi_text.h"
#include "document/case_files.h"
#include "document/gas_list.h"
#include "engine/component_library.h"
#include "laby/labyrinth_calculation.h"
#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane::python {

ModuleGas ModuleGas::FromList(const std::string& gas_list) {
  std::vector<std::pair<std::string, double>> components;
  try {
    for (GasListEntry& e : ReadGasList(gas_list)) {
      components.emplace_back(std::move(e.code), e.fraction);
    }
  } catch (const GasListError& e) {
    throw GasError(e.what());
  }
  return FromComponents(std::move(components));
}

ModuleGas ModuleGas::FromComponents(std::vector<std::pair<std::string, double>> components) {
  if (components.empty()) throw GasError("bad gas list: it is empty");
  if (components.size() > static_cast<size_t>(kMaxComponents)) {
    throw GasError("bad gas list: more than 30 components");
  }
  ModuleGas gas;
  RecordingMessageService messages;
  for (const auto& [code, fraction] : components) {
    if (!std::isfinite(fraction)) {
      throw GasError("bad gas list: the fraction of '" + code + "' is not a number");
    }
    const auto id = LookUpComponent(code, messages);
    if (!id) throw GasError(messages.messages().back().text);
    gas.slots_.push_back({*id, fraction});
  }
  gas.components_ = std::move(components);
  try {
    gas.mixture_ = CharacteriseGas(gas.slots_);
  } catch (const CalculationError&) {
    throw GasError(kCalculationErrorMessage);
  }
  return gas;
}

ModuleGas ModuleGas::FromFile(const std::string& path, int section) {
  const CaseRecord record =
      IsSettingsFileName(path) ? ReadSettingsFile(path).record : ReadGasFile(path);
  if (section < 0 || section > record.last_gas_section) {
    throw std::invalid_argument("section: the file has gas sections 0.." +
                                std::to_string(record.last_gas_section) + ", not " +
                                std::to_string(section));
  }
  if (record.component_count < 1) throw GasError("the file's gas analysis has no components");
  std::vector<std::pair<std::string, double>> components;
  for (int i = 0; i < record.component_count; ++i) {
    components.emplace_back(AnsiToUtf8(record.GasCode(i, section).Trimmed()),
                            record.MolFraction(i, section));
  }
  return FromComponents(std::move(components));
}

void ModuleGas::LoadInto(GasEngine& engine) const {
  engine.CharacteriseGas(0, slots_);
  engine.SetCurrentGas(0);
}

}  // namespace torvane::python
