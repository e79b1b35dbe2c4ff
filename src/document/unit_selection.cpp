#include "document/unit_selection.h"

#include <stdexcept>
#include <string>

#include "document/laby_data_units.h"

namespace torvane {

const char* UnitSystemLongName(int system) {
  static constexpr const char* kNames[] = {"English Units", "SI Units", "Tech Metric Units",
                                           "Custom Units"};
  if (system < 0 || system >= kUnitSystemCount) throw std::invalid_argument("no such unit system");
  return kNames[system];
}

void ApplyUnits(CaseContext& context, const UnitIndices& indices) {
  UnitChoice units = context.units;
  units.ApplyUnitChoice(indices);
  context.laby_data = ConvertLabyData(context.laby_data, context.units, units);
  context.units = units;
  context.record.unit_num = indices;
}

void ChooseUnitSystem(CaseContext& context, int system) {
  const std::string name = UnitSystemLongName(system);
  UnitIndices indices = context.record.unit_num;
  if (system != static_cast<int>(UnitSystem::kCustom)) {
    indices = PresetIndices(static_cast<UnitSystem>(system));
  }
  ApplyUnits(context, indices);
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
  ApplyUnits(context, indices);
}

}  // namespace torvane
