#include "app/labyrinth_rooms.h"

#include <QWidget>

#include "document/case_context.h"
#include "dynamics/ui/dynamics_window.h"
#include "methods/ui/method_comparison_window.h"
#include "platform/ui_services.h"
#include "study/ui/study_window.h"
#include "thermo/ui/gas_properties_window.h"

namespace torvane {

LabyrinthWindowHooks LabyrinthRooms(CaseContext& context, UiServices& services,
                                    LabyrinthReportPrinter& printer) {
  LabyrinthWindowHooks hooks;
  hooks.open_comparison = [&context, &services, &printer](QWidget& parent) {
    MethodComparisonWindow window(context, services, printer, &parent);
    window.exec();
  };
  hooks.open_study = [&context, &services](const LabyInputs& inputs, QWidget& parent) {
    StudyWindow window(context, services, inputs, &parent);
    window.exec();
  };
  hooks.open_dynamics = [&context, &services, &printer](QWidget& parent) {
    DynamicsWindow window(context, services, printer, &parent);
    window.exec();
  };
  hooks.open_gas_properties = [&context](const LabyEntries& entries, QWidget& parent) {
    const LabyrinthStates states{entries[LabyField::kPressUp], entries[LabyField::kTempUp],
                                 entries[LabyField::kPressDown]};
    GasPropertiesWindow window(context.engine.CurrentMixture(), context.units, states, &parent);
    window.exec();
  };
  return hooks;
}

}  // namespace torvane
