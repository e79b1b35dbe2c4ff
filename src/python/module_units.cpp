#include "python/module_units.h"

namespace torvane::python {

UnitChoice EnglishUnits() {
  UnitChoice units;
  units.ApplyUnitChoice(PresetIndices(UnitSystem::kEnglish));
  return units;
}

}  // namespace torvane::python
