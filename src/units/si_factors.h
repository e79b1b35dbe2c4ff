// Exact factors between SI units and the engine's internal units (inches, feet, psia, degR,
// pounds, pounds force), for the calculations that work in SI.
#pragma once

namespace torvane {

inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kPascalPerPsi = 6894.757293168361;
inline constexpr double kRankinePerKelvin = 1.8;
inline constexpr double kKilogramsPerPound = 0.45359237;
inline constexpr double kNewtonsPerPoundForce = 4.4482216152605;

}  // namespace torvane
