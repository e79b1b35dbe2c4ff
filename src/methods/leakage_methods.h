// Classical leakage methods for labyrinth seals, beside the program's own correlation:
//   A  Martin-Vermes, one shot: Martin's flow function with Vermes' discharge coefficient and
//      kinetic-energy carry-over, capped at the Zimmermann-Wolff choke ratio;
//   B  tooth by tooth: the seal as a chain of isentropic throttles, each checked for choking,
//      with the flux bracketed to round-off (bisection sped up by interpolation steps) and the
//      cavity pressures and temperatures;
//   C  Martin with the Zimmermann-Wolff choke ratio and a discharge coefficient of 1.
// Every quantity is in SI units. Each method reports its own failure in its result; none throws
// and none returns a value that is not a finite number.
#pragma once

#include <string>
#include <vector>

namespace torvane {

// A stepped labyrinth is interlocking; a straight labyrinth is see-through.
enum class SealKind { kInterlocking, kSeeThrough };

// One seal and its operating conditions.
struct SealCase {
  SealKind kind = SealKind::kInterlocking;
  double seal_diameter = 0;    // D, m
  double clearance = 0;        // c, radial clearance, m
  double pitch = 0;            // s, tooth spacing, m
  double tooth_thickness = 0;  // t, tip width, m
  double teeth = 0;            // N; a whole number for tooth by tooth
  double pressure_up = 0;      // P1, Pa
  double pressure_down = 0;    // P2, Pa
  double temperature_up = 0;   // T1, K
  double molar_mass = 0;       // M, kg/kmol
  double gamma = 1.3;          // cp/cv; used by tooth by tooth only
  double z_up = 1;             // Z at (P1, T1); 1 for the ideal gas. Used by A and C only
};

enum class MethodStatus { kOk, kError };

struct MethodResult {
  MethodStatus status = MethodStatus::kError;
  std::string message;   // why the method does not apply; empty when ok
  double mass_flow = 0;  // kg/s
  double flux = 0;       // G, kg/(m s) of circumference
  bool choked = false;
  // The pressure ratio P2/P1 below which the seal is choked: the Zimmermann-Wolff ratio r* for
  // A and C, p_N/P1 at the largest flux every throttle passes for B.
  double critical_ratio = 0;
  double discharge_coefficient = 0;  // alpha (1 for C)
  double carry_over = 0;             // nu (0 for interlocking seals and for C)
  // Tooth by tooth only: the throttle that chokes (1..N, 0 when not choked) and the pressures
  // (Pa) and temperatures (K) of stations 0 (upstream) to N (just past the last throttle).
  int choked_throttle = 0;
  std::vector<double> cavity_pressures;
  std::vector<double> cavity_temperatures;

  bool ok() const { return status == MethodStatus::kOk; }
};

// The most teeth tooth by tooth takes.
inline constexpr int kMaxToothByToothTeeth = 1000;

MethodResult MartinVermes(const SealCase& seal);
MethodResult ToothByTooth(const SealCase& seal);
MethodResult Martin(const SealCase& seal);

// Where the bracketing of tooth by tooth starts, as fluxes G in kg/(m s). By default it starts
// around the fluxes Martin's function points to; any start gives the same answer, the bracket
// is widened until it holds the answer.
struct FluxBracket {
  double low = 0;
  double high = 0;
};
MethodResult ToothByTooth(const SealCase& seal, const FluxBracket& start);

// Vermes' discharge coefficient for sigma = t / c: his quartic fit, alpha 0.65 to 0.87 for sigma
// up to kVermesMaxToothRatio, the quartic's lowest point (7.1025). Past it the quartic turns
// upward, away from the levelling-off of a thick tooth, and passes 1 at sigma = 8.85:
// Martin-Vermes and tooth by tooth refuse a larger t/c.
inline constexpr double kVermesMaxToothRatio = 7.1;
double VermesDischargeCoefficient(double sigma);
// Vermes' kinetic-energy carry-over nu: 8.52 / ((s - t)/c + 7.23) for see-through seals, 0 for
// interlocking ones.
double VermesCarryOver(SealKind kind, double pitch, double tooth_thickness, double clearance);
// Martin's flow function sqrt((1 - r^2) / (N - ln r)), 0 < r <= 1.
double MartinFlowFunction(double r, double teeth);
// The maximiser of Martin's flow function, r* = 1 / sqrt(1 + 2N - 2 ln r*).
double ZimmermannWolffRatio(double teeth);

}  // namespace torvane
