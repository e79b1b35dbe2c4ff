#include "engine/range_checks.h"

#include <cmath>

#include "platform/errors.h"
#include "platform/message_service.h"
#include "units/number_format.h"

namespace torvane {

void CheckAllowableRange(double value, double maximum, double minimum, const std::string& what,
                         const std::string& label, MessageService& messages) {
  if (!std::isfinite(value)) throw CalculationError("an input is not a number");
  std::string text;
  if (value > maximum) {
    text = "Maximum allowable " + what + " is " + ShortestGeneral(maximum) + " " + label;
  } else if (value < minimum) {
    text = "Minimum allowable " + what + " is " + ShortestGeneral(minimum) + " " + label;
  } else {
    return;
  }
  messages.Show(text);
  throw InputOutOfRange(text);
}

void CheckPressureRange(double value, double maximum, double minimum,
                        const std::string& pressure_label, MessageService& messages) {
  CheckAllowableRange(value, maximum, minimum, "pressure", pressure_label, messages);
}

void CheckTemperatureRange(double value, double maximum, double minimum,
                           const std::string& temperature_label, MessageService& messages) {
  CheckAllowableRange(value, maximum, minimum, "temperature", temperature_label, messages);
}

}  // namespace torvane
