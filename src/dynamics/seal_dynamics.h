// Rotordynamic coefficients of a labyrinth seal: the one-control-volume bulk-flow model of
// Iwatsubo as modified by Childs and Scharrer (1986).
//
// The zeroth order is the centred seal: the leakage and the cavity pressures and temperatures
// of tooth by tooth (solved once per case, whatever the number of speeds), then, per speed, the
// swirl velocity of every cavity marched from the inlet. The first order is a small whirling
// displacement: the cavity pressure and swirl perturbations form a block-tridiagonal complex
// system, solved for a forward and a backward circular whirl; the cavity pressures integrated
// round the rotor give the eight coefficients and the stability figures.
//
// Sign convention: -[Fx; Fy] = [[kxx, kxy], [kyx, kyy]] [x; y] + [[cxx, cxy], [cyx, cyy]] [x'; y']
// with F the gas force on the rotor and (x, y) the rotor displacement. The model is
// axisymmetric: kyy = kxx = K, kyx = -kxy = -k, cyy = cxx = C, cyx = -cxy = -c.
//
// Every quantity is in SI units (Pa, K, m, kg/s, rad/s inside, rpm for speeds given and
// reported, N/m, N s/m). Nothing here throws; every failure is a status with its message, and
// no result holds a number that is not finite.
#pragma once

#include <complex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "dynamics/viscosity_law.h"
#include "methods/leakage_methods.h"
#include "methods/real_gas_tooth_by_tooth.h"
#include "thermo/gas_properties.h"

namespace torvane {

// Where the teeth of a straight (see-through) seal stand. Stepped seals are interlocking: teeth
// on both.
enum class TeethOn { kStator, kRotor };
// "stator", "rotor".
const char* TeethOnKey(TeethOn teeth_on);

inline constexpr double kDefaultPreswirl = 0.5;
inline constexpr double kDefaultWhirlRatio = 1;

// One seal with everything the coefficients need beyond the leakage.
struct DynamicsCase {
  SealCase seal;                            // as tooth by tooth takes it, gamma included
  double tooth_height = 0;                  // B, the depth of a cavity, m
  TeethOn teeth_on = TeethOn::kStator;      // straight seals only
  double preswirl = kDefaultPreswirl;       // V_0 / U at the inlet; negative against rotation
  double whirl_ratio = kDefaultWhirlRatio;  // whirl frequency / rotor speed
  ViscosityLaw viscosity;
  bool jenny_kanki = false;  // Jenny and Kanki's momentum factor in the swirl march
};

// The state of one station of the centred seal, as the perturbation takes it.
struct StationState {
  double pressure = 0;     // Pa
  double temperature = 0;  // K
  double density = 0;      // kg/m3
  // d rho / d p at constant temperature, s2/m2: 1 / (R T) for the ideal gas.
  double storage = 0;
};

// The leakage solution the swirl and the perturbation work on.
struct SealFlow {
  double flux = 0;          // G, kg/(m s) of circumference
  int choked_throttle = 0;  // the throttle (1..N) that passes G whatever lies downstream; 0 none
  std::vector<StationState> stations;  // 0 (upstream) .. N (just past the last tooth)
};

// The ideal-gas stations of tooth by tooth's result: rho = p / (R T), storage 1 / (R T).
// Raises CalculationError for a step that is not finite.
SealFlow IdealGasFlow(const MethodResult& tooth_by_tooth, double molar_mass);

// The real-gas stations of the real gas's tooth by tooth: rho from the equation of state and
// the storage term (d rho/dp)_T = M / (R_u T X_rho); empty when it failed.
SealFlow RealGasFlow(const RealGasToothByToothResult& tooth_by_tooth);

// The cavity geometry of section 3 of the method.
struct CavityGeometry {
  double radius = 0;              // R_s = D / 2, m
  double height = 0;              // H = c + B, m
  double area = 0;                // A = H L, m2
  double hydraulic_diameter = 0;  // Dh = 2 H L / (H + L), m
  double wet_rotor = 0;           // a_r, the rotor's wetted length over L
  double wet_stator = 0;          // a_s, the stator's wetted length over L
  double momentum_factor = 1;     // mu_JK: 0.15, 0.35 or 0.90 with Jenny-Kanki, else 1
};
CavityGeometry CavityGeometryOf(const DynamicsCase& c);

enum class DynamicsStatus {
  kOk,
  kInvalidInput,      // an input the model cannot take (N, tooth height, speed, ratios)
  kNoLeakage,         // tooth by tooth failed, or the seal passes no flow
  kNoViscosity,       // the viscosity law gives no viscosity at a cavity's state
  kSingular,          // the perturbation system has no reliable solution
  kCalculationError,  // a step gave a number that is not finite
};

struct RotordynamicCoefficients {
  double kxx = 0, kxy = 0, kyx = 0, kyy = 0;  // N/m
  double cxx = 0, cxy = 0, cyx = 0, cyy = 0;  // N s/m
};

// One cavity of the centred seal at one speed.
struct CavityDynamics {
  double pressure = 0;      // Pa
  double temperature = 0;   // K
  double density = 0;       // kg/m3
  double viscosity = 0;     // Pa s
  double swirl = 0;         // V_i, m/s
  double swirl_in = 0;      // V_in,i, the swirl the cavity receives, m/s
  double shear_rotor = 0;   // tau_r(U - V_i), Pa
  double shear_stator = 0;  // tau_s(V_i), Pa
};

struct SpeedDynamics {
  double speed = 0;            // rpm
  double whirl_frequency = 0;  // rpm
  DynamicsStatus status = DynamicsStatus::kCalculationError;
  std::string message;  // empty when ok
  // The rest only when ok.
  RotordynamicCoefficients coefficients;
  double effective_stiffness = 0;  // K + c omega = Re H(omega), N/m
  // C - k / omega = Im H(omega) / omega, N s/m; nothing at a whirl frequency of 0. At rest k is
  // 0 but k / omega tends to a finite value as the speed falls, so C alone would be a step
  // in a curve against speed rather than its end.
  std::optional<double> effective_damping;
  // k / (C omega); nothing at a whirl frequency of 0 or with C = 0.
  std::optional<double> whirl_frequency_ratio;
  // H(+omega) and H(-omega), N/m; H(0) twice at a whirl frequency of 0.
  std::complex<double> forward_impedance, backward_impedance;
  double surface_speed = 0;              // U, m/s
  std::vector<CavityDynamics> cavities;  // cavities 1..N-1

  bool ok() const { return status == DynamicsStatus::kOk; }
};

// The linearised equations of one cavity at one speed (section 6 of the method).
struct CavityTerms {
  double c3 = 0, c4 = 0, c7 = 0;
  double x3 = 0, x4 = 0, x6 = 0, x7 = 0, x8 = 0;
};

// A seal worked for any number of speeds: the leakage, the cavity states and viscosities are
// found once, when it is made.
class SealDynamics {
 public:
  // The leakage by tooth by tooth (ideal gas).
  explicit SealDynamics(const DynamicsCase& c);
  // The leakage given: tooth by tooth's result (or a caller's own in its form) for the report,
  // and the states the model works on, as a real-gas caller finds them.
  SealDynamics(const DynamicsCase& c, MethodResult leakage, SealFlow flow);

  const DynamicsCase& input() const { return case_; }
  // The leakage; its failure makes every speed fail with its message.
  const MethodResult& leakage() const { return leakage_; }
  const SealFlow& flow() const { return flow_; }
  const CavityGeometry& geometry() const { return geometry_; }
  // kOk when speeds can be worked; else the status and message every speed reports.
  DynamicsStatus status() const { return status_; }
  const std::string& message() const { return message_; }
  int cavity_count() const { return static_cast<int>(cavities_.size()); }

  // The coefficients at a rotor speed (rpm). Never throws.
  SpeedDynamics AtSpeed(double rpm) const;
  // The same with the swirl velocity of every cavity given (m/s, cavities 1..N-1: measured, or
  // from another model) instead of marched from the inlet; the inlet swirl stays the preswirl's.
  SpeedDynamics AtSpeed(double rpm, std::span<const double> swirl) const;

  // The linearised equations of cavity i (1..N-1) at a rotor speed (rpm), for checks.
  std::optional<CavityTerms> TermsAt(double rpm, int cavity) const;

 private:
  struct Cavity {
    StationState state;
    double viscosity = 0;
    double shear_constant = 0;  // k: tau(V) = k V |V|^0.75
    double c3 = 0, c4 = 0, c7 = 0;
    double inflow_up = 0, inflow_down = 0;  // dG_i/dp_(i-1), dG_i/dp_i of the tooth before
  };
  struct Swirl;

  void Prepare();
  void Fail(DynamicsStatus status, std::string message);
  // The swirl of every cavity: marched from the inlet, or the given velocities.
  void March(double surface_speed, std::span<const double> given, std::vector<Swirl>& swirl) const;
  void Complete(double v, double shear_constant, double surface_speed, Swirl& s) const;
  CavityTerms Terms(const Swirl& s, const Swirl* before, const Cavity& c, double surface) const;
  SpeedDynamics Work(double rpm, std::span<const double> given) const;

  DynamicsCase case_;
  MethodResult leakage_;
  SealFlow flow_;
  CavityGeometry geometry_;
  DynamicsStatus status_ = DynamicsStatus::kOk;
  std::string message_;
  std::vector<Cavity> cavities_;
};

// The seal worked on the real gas: the leakage and cavity states of the real gas's tooth by
// tooth (the seal's gamma takes no part), the swirl and the perturbation on them. Never throws:
// a failure of the leakage is the status every speed reports.
SealDynamics RealGasSealDynamics(const DynamicsCase& c, const CaloricGas& gas);

}  // namespace torvane
