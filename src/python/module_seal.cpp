#include "python/module_seal.h"

#include "python/module_units.h"

namespace torvane::python {

LabyInputs EnglishInputs(const ModuleSeal& seal, const OperatingPoint& point) {
  LabyInputs in;
  in.laby_type = seal.straight ? 1 : 0;
  in.seal_dia = InchesOf(seal.diameter);
  in.seal_rad_clear = InchesOf(point.clearance);
  in.press_up = PsiaOf(point.pressure_up);
  in.press_down = PsiaOf(point.pressure_down);
  in.temp_up = FahrenheitOf(point.temperature_up);
  in.tooth_thk = InchesOf(seal.thickness);
  in.tooth_spc = InchesOf(seal.spacing);
  in.tooth_no = seal.teeth;
  in.flo_co = seal.flow_coefficient;
  return in;
}

}  // namespace torvane::python
