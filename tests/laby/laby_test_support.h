// A methane engine and a standard straight-labyrinth case shared by the leakage tests.
#pragma once

#include <vector>

#include "engine/gas_engine.h"
#include "laby/labyrinth_calculation.h"
#include "platform/message_service.h"

namespace torvane::testing {

class MethaneEngineFixture {
 protected:
  MethaneEngineFixture() { engine_.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}}); }
  RecordingMessageService messages_;
  GasEngine engine_{messages_};
};

// 6 in seal, 0.012 in clearance, 500 -> 100 psia, 100 deg F, 8 teeth of 0.02 in at 0.125 in.
inline LabyInputs EnglishStraightCase() {
  LabyInputs in;
  in.laby_type = 1;
  in.seal_dia = 6;
  in.seal_rad_clear = 0.012;
  in.press_up = 500;
  in.press_down = 100;
  in.temp_up = 100;
  in.tooth_thk = 0.02;
  in.tooth_spc = 0.125;
  in.tooth_no = 8;
  in.flo_co = 0.67;
  return in;
}

}  // namespace torvane::testing
