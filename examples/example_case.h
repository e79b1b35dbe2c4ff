// The bundled example case: a five-component natural gas and a stepped labyrinth seal whose
// labyrinth data hold a real calculation.
#pragma once

#include "document/case_record.h"
#include "document/laby_data.h"

namespace torvane {

struct ExampleCase {
  CaseRecord record;
  LabyData laby_data{};
};

// Builds the case with the program's own engine and labyrinth calculation. Raises
// std::runtime_error if the calculation does not succeed.
ExampleCase BuildExampleCase();

}  // namespace torvane
