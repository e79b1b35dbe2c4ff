// A methane engine and the standard straight-labyrinth case (support/english_case.h) shared by
// the leakage tests.
#pragma once

#include <vector>

#include "engine/gas_engine.h"
#include "laby/labyrinth_calculation.h"
#include "platform/message_service.h"
#include "support/english_case.h"

namespace torvane::testing {

class MethaneEngineFixture {
 protected:
  MethaneEngineFixture() { engine_.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}}); }
  RecordingMessageService messages_;
  GasEngine engine_{messages_};
};

}  // namespace torvane::testing
