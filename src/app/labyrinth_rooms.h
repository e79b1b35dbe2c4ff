// The windows beside the labyrinth window, plugged into its hooks at start-up: each opens
// modally over the labyrinth window with what its command gives it.
#pragma once

#include "laby/ui/labyrinth_window_hooks.h"

namespace torvane {

struct CaseContext;
struct UiServices;
class LabyrinthReportPrinter;

// The comparison of the leakage methods and the rotordynamic coefficients (with the report
// printer for their pages), the study and the gas properties.
LabyrinthWindowHooks LabyrinthRooms(CaseContext& context, UiServices& services,
                                    LabyrinthReportPrinter& printer);

}  // namespace torvane
