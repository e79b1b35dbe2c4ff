#include "document/unit_selection.h"

#include <stdexcept>
#include <string>

namespace torvane {

const char* UnitSystemLongName(int system) {
  static constexpr const char* kNames[] = {"English Units", "SI Units", "Tech Metric Units",
                                           "Custom Units"};
  if (system < 0 || system >= kUnitSystemCount) throw std::invalid_argument("no such unit system");
  return kNames[system];
}

void ChooseUnitSystem(CaseContext& context, int system) {
  const std::string name = UnitSystemLongName(system);
  UnitIndices indices = context.record.unit_num;
  if (system != static_cast<int>(UnitSystem::kCustom)) {
    indices = PresetIndices(static_cast<UnitSystem>(system));
  }
  context.units.ApplyUnitChoice(indices);
  context.record.unit_num = indices;
  context.record.unit_system_name = FixedText<2>(name.substr(0, 2));
  context.record.unit_system = static_cast<std::int16_t>(system);
}

void ChooseUnit(CaseContext& context, Quantity quantity, int index) {
  if (!IsValidUnitIndex(quantity, index)) {
    throw std::invalid_argument(std::string(UnitCatalogue(quantity).field) + " " +
                                std::to_string(index) + " is not a unit of its quantity");
  }
  UnitIndices indices = context.record.unit_num;
  indices[static_cast<size_t>(quantity)] = static_cast<std::int16_t>(index);
  context.units.ApplyUnitChoice(indices);
  context.record.unit_num = indices;
}

}  // namespace torvane
