#include "example_case.h"

#include <stdexcept>
#include <vector>

#include "engine/component_library.h"
#include "engine/gas_engine.h"
#include "laby/labyrinth_calculation.h"
#include "platform/message_service.h"

namespace torvane {
namespace {

struct Component {
  const char* code;
  double fraction;
};

// A lean pipeline natural gas.
constexpr Component kGas[] = {
    {"CH4", 0.9}, {"C2H6", 0.05}, {"C3H8", 0.02}, {"N2", 0.02}, {"CO2", 0.01},
};

}  // namespace

ExampleCase BuildExampleCase() {
  RecordingMessageService messages;
  ExampleCase example;
  CaseRecord& r = example.record;
  // As start-up leaves the record: R6 = 1, English units.
  r.reserved_int.r6 = 1;
  r.unit_system = 0;
  r.unit_system_name = FixedText<2>("En");
  r.unit_num = PresetIndices(UnitSystem::kEnglish);
  r.case_title = FixedText<40>("Natural gas compressor, balance piston");

  std::vector<GasComponentSlot> slots;
  r.component_count = static_cast<std::int16_t>(std::size(kGas));
  r.last_gas_section = 0;
  for (int i = 0; i < r.component_count; ++i) {
    const auto id = LookUpComponent(kGas[i].code, messages);
    if (!id) throw std::runtime_error(std::string("no component ") + kGas[i].code);
    r.GasCode(i, 0) = FixedText<4>(kGas[i].code);
    r.MolFraction(i, 0) = kGas[i].fraction;
    r.ComponentId(i, 0) = static_cast<std::int16_t>(*id);
    slots.push_back({*id, kGas[i].fraction});
  }

  GasEngine engine(messages);
  engine.CharacteriseGas(0, slots);
  engine.SetCurrentGas(0);
  UnitChoice units;
  units.ApplyUnitChoice(r.unit_num);
  LabyrinthCalculation calculation(units, engine, messages);
  LabyInputs in;
  in.laby_type = 0;  // stepped
  in.seal_dia = 8.5;
  in.seal_rad_clear = 0.012;
  in.press_up = 850;
  in.press_down = 300;
  in.temp_up = 120;
  in.tooth_thk = 0.015;
  in.tooth_spc = 0.125;
  in.tooth_no = 12;
  in.flo_co = 0.67;
  const LabyOutcome outcome = calculation.Calculate(in);
  if (outcome.status != LabyOutcome::Status::kDone || !messages.messages().empty()) {
    throw std::runtime_error("the example labyrinth calculation did not succeed");
  }
  example.laby_data = outcome.laby_data;
  return example;
}

}  // namespace torvane
