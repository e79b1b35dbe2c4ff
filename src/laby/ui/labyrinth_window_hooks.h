// The windows the labyrinth window opens beside itself. Each is one hook that the program fills
// at start-up (src/app/labyrinth_rooms.h), so that the labyrinth window links none of them; a
// hook left empty leaves its button out. A new window is one hook here and one button in the
// labyrinth window's list of rooms.
#pragma once

#include <functional>

#include "laby/labyrinth_calculation.h"
#include "laby/labyrinth_form.h"

class QWidget;

namespace torvane {

struct LabyrinthWindowHooks {
  // "Compare Methods...", enabled after a successful calculation; the window reads the stored
  // case.
  std::function<void(QWidget& parent)> open_comparison;
  // "Study...", enabled for a calculated gas; the window starts from the inputs as they stand.
  std::function<void(const LabyInputs& inputs, QWidget& parent)> open_study;
  // "Rotordynamics...", enabled after a successful calculation; the window reads the stored
  // case.
  std::function<void(QWidget& parent)> open_dynamics;
  // "Gas Properties...", enabled for a calculated gas; the window takes the inputs as they
  // stand, a box that does not hold a number as nothing.
  std::function<void(const LabyEntries& entries, QWidget& parent)> open_gas_properties;
};

}  // namespace torvane
