// The labyrinth data record in the units of the choice in force: when the unit choice changes,
// the record's inputs and results are converted with the program's own conversions, so that the
// record always holds the numbers the window shows in the units it labels them with.
#pragma once

#include "document/laby_data.h"
#include "units/unit_choice.h"

namespace torvane {

// The record's values, held in the units of `from`, in the units of `to`: lengths (diameter,
// clearance, tooth thickness and spacing), pressures, the temperature, the mass flow, the
// standard flow (SCFM below mass-flow index 2, Sm3/hr = 1.699 SCFM from 2 on) and the two volume
// flows. The type, the number of teeth and the flow coefficient have no unit. A quantity whose
// unit is the same in both is left exactly as it is; a value whose conversion is not a finite
// number stays as it was.
LabyData ConvertLabyData(const LabyData& data, const UnitChoice& from, const UnitChoice& to);

}  // namespace torvane
