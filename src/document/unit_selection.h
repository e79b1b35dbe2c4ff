// The choices of the units dialog, applied to the case at once.
#pragma once

#include "document/case_context.h"
#include "units/unit_catalogue.h"

namespace torvane {

// The unit system's name as the units dialog stores it: "English Units", "SI Units",
// "Tech Metric Units" or "Custom Units", of which the record keeps the first two characters.
const char* UnitSystemLongName(int system);

// Puts a unit choice in force: the record's unit indices, the labels and factors, and the
// labyrinth data record converted into the new units. An index outside its quantity's list is
// refused with std::invalid_argument and nothing changes.
void ApplyUnits(CaseContext& context, const UnitIndices& indices);

// Picking an entry of the unit-system list: English, SI and Tech Metric set every quantity to
// their preset; Custom keeps the indices in force. The system number and its two-character name
// are stored in the record and the labels and factors follow at once, with the labyrinth data
// converted into them. A system outside 0..3 is
// refused with std::invalid_argument and nothing changes.
void ChooseUnitSystem(CaseContext& context, int system);

// Picking a unit of one quantity (Custom): its index, label and factor change at once. An index
// outside the quantity's list is refused with std::invalid_argument and nothing changes.
void ChooseUnit(CaseContext& context, Quantity quantity, int index);

}  // namespace torvane
