// The options of the rotordynamic coefficients the calculator's commands share: `dynamics`
// takes them with its speeds, `sweep` and `batch` with --dynamics SPEED.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "cli/case_options.h"
#include "cli/command_line.h"
#include "dynamics/dynamics_calculation.h"
#include "study/sweep.h"

namespace torvane::cli {

class JsonWriter;

inline constexpr const char kToothHeightOption[] = "tooth-height";
inline constexpr const char kTeethOnOption[] = "teeth-on";
inline constexpr const char kPreswirlOption[] = "preswirl";
inline constexpr const char kWhirlRatioOption[] = "whirl-ratio";
inline constexpr const char kViscosityOption[] = "viscosity";
inline constexpr const char kViscosityRefOption[] = "viscosity-ref";
inline constexpr const char kJennyKankiOption[] = "jenny-kanki";
// The one speed (rpm) of sweep and batch.
inline constexpr const char kDynamicsSpeedOption[] = "dynamics";

// The valued options (--gamma and the switch --real-gas are the classical methods' own too and
// are not among them).
inline const std::set<std::string> kDynamicsOptions = {kToothHeightOption, kTeethOnOption,
                                                       kPreswirlOption,    kWhirlRatioOption,
                                                       kViscosityOption,   kViscosityRefOption};

// The most speeds one command works.
inline constexpr long long kMaxSpeeds = 100'000;

// Their lines in a command's --help.
inline constexpr const char kDynamicsOptionsHelp[] =
    "  --tooth-height H           the tooth height (cavity depth) in the length unit; required\n"
    "  --teeth-on stator|rotor    straight seals: where the teeth stand (default stator)\n"
    "  --preswirl R               the inlet swirl over the rotor surface speed (default 0.5;\n"
    "                             negative against rotation)\n"
    "  --whirl-ratio R            the whirl frequency over the rotor speed (default 1)\n"
    "  --gamma K                  the ratio of specific heats cp/cv of the ideal gas (default:\n"
    "                             the gas's ideal-gas cp0/cv0 at the upstream temperature)\n"
    "  --real-gas                 the leakage and cavity states along the real gas's isentrope,\n"
    "                             with the density and storage term of the equation of state\n"
    "                             (no gamma)\n"
    "  --viscosity MU             a constant gas viscosity in the viscosity unit (default:\n"
    "                             the gas's own, by Lucas with the dense-gas correction)\n"
    "  --viscosity-ref T1:MU1,T2:MU2\n"
    "                             instead: Sutherland's law through two states, temperatures\n"
    "                             in the temperature unit, viscosities in the viscosity unit\n"
    "  --jenny-kanki              Jenny and Kanki's momentum factor in the swirl march\n";

// Reads the dynamics options for the case of request (whose type decides whether --teeth-on
// may be given). Values an option cannot take are usage failures.
DynamicsOptions ReadDynamicsOptions(const Options& o, const LeakRequest& request);

// The rpm values of --speed: "S1,S2,..." or "FROM:TO:COUNT" by the study library's range rule;
// each finite and 0 or more, at most kMaxSpeeds. Usage failures name the option.
std::vector<double> ParseSpeeds(const std::string& text, const std::string& option = "speed");

// The coefficients of sweep and batch: with --dynamics SPEED, the dynamics options read for
// the request; without it, nothing, and any dynamics option given is a usage failure.
std::optional<SweepDynamics> ReadPointDynamics(const Options& o, const LeakRequest& request);

// "status", "message" and the six figures of a sweep point (null where they fail), into an
// open JSON object.
void DynamicsFiguresFields(JsonWriter& j, const SpeedAnswer& answer);

// The arguments with --flow-coef added when none is given: the coefficients do not use the
// flow coefficient, so it is accepted but not required.
std::vector<std::string> WithFlowCoefficient(std::vector<std::string> args);

}  // namespace torvane::cli
