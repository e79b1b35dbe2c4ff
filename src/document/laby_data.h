// The labyrinth data record: the inputs and results of the last successful labyrinth
// calculation, in the user's units. It is the second record of a settings file.
#pragma once

#include <array>

namespace torvane {

// 15 doubles; slot 0 is never used.
using LabyData = std::array<double, 15>;

enum LabyDataSlot : int {
  kLabyType = 1,   // 0 stepped, 1 straight
  kSealClear = 2,  // seal diameter
  kSealRadClear = 3,
  kPressUp = 4,
  kPressDown = 5,
  kTempUp = 6,
  kToothThick = 7,
  kToothSpacing = 8,
  kToothNumber = 9,
  kFlowCoef = 10,
  kLabyFlow = 11,
  kLabyStdFlow = 12,
  kLabySuppplyFlow = 13,
  kLabyVolumeFlow = 14,
};

}  // namespace torvane
