// The pressure and temperature range checks of the calculation forms.
#pragma once

#include <string>

namespace torvane {

class MessageService;

// Passes when minimum <= value <= maximum. Otherwise shows "Maximum allowable pressure is " or
// "Minimum allowable pressure is " + limit + " " + the pressure label (8 characters) and throws
// InputOutOfRange (error 4443). The maximum is tested first.
void CheckPressureRange(double value, double maximum, double minimum,
                        const std::string& pressure_label, MessageService& messages);

// The same for temperatures, with the temperature label (5 characters).
void CheckTemperatureRange(double value, double maximum, double minimum,
                           const std::string& temperature_label, MessageService& messages);

// The shared rule: "Maximum allowable <what> is " / "Minimum allowable <what> is " + limit +
// " " + label. Any label given is used as it stands.
void CheckAllowableRange(double value, double maximum, double minimum, const std::string& what,
                         const std::string& label, MessageService& messages);

}  // namespace torvane
