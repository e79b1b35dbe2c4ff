// The standard straight labyrinth of the tests and benchmarks, in English units: 6 in seal,
// 0.012 in clearance, 500 -> 100 psia, 100 deg F, 8 teeth of 0.02 in at 0.125 in, flow
// coefficient 0.67; and any case as the calculator's options.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "laby/labyrinth_calculation.h"
#include "units/number_format.h"

namespace torvane::testing {

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

// "--type", "straight", "--diameter", "6", ... "--flow-coef", "0.67": the inputs as the options
// of `torvane-cli leak`, in the order of the labyrinth window, but for the options named in
// leave_out (e.g. "--teeth" for a sweep that varies it).
inline std::vector<std::string> CaseArguments(const LabyInputs& in,
                                              std::initializer_list<std::string> leave_out = {}) {
  const std::pair<std::string, std::string> options[] = {
      {"--type", in.laby_type == 1 ? "straight" : "stepped"},
      {"--diameter", RoundTrip(in.seal_dia)},
      {"--clearance", RoundTrip(in.seal_rad_clear)},
      {"--pressure-up", RoundTrip(in.press_up)},
      {"--pressure-down", RoundTrip(in.press_down)},
      {"--temperature-up", RoundTrip(in.temp_up)},
      {"--thickness", RoundTrip(in.tooth_thk)},
      {"--spacing", RoundTrip(in.tooth_spc)},
      {"--teeth", RoundTrip(in.tooth_no)},
      {"--flow-coef", RoundTrip(in.flo_co)},
  };
  std::vector<std::string> args;
  for (const auto& [name, value] : options) {
    if (std::find(leave_out.begin(), leave_out.end(), name) != leave_out.end()) continue;
    args.push_back(name);
    args.push_back(value);
  }
  return args;
}

}  // namespace torvane::testing
