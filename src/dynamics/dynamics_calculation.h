// The rotordynamic coefficients of a labyrinth case in the user's units: the labyrinth window's
// inputs, the current gas and the dynamics options in, the leakage and, per rotor speed, the
// eight coefficients, the stability figures and the cavity table out. The calculator, the
// rotordynamics window, the report page and the sweeps all work through it.
//
// Units: lengths, pressures, temperatures, velocities, viscosities and mass flows are the
// user's; shear stresses are in the pressure unit; stiffness is in lbf/in and damping in
// lbf-s/in when lengths are in inches, N/m and N-s/m otherwise; speeds are in rpm.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/case_record.h"
#include "dynamics/seal_dynamics.h"
#include "engine/gas_mixture.h"
#include "laby/labyrinth_calculation.h"
#include "methods/method_comparison.h"
#include "units/unit_choice.h"

namespace torvane {

// A reference state of Sutherland's law in the user's temperature and viscosity units.
struct UserViscosityReference {
  double temperature = 0;
  double viscosity = 0;
};

// The inputs of the coefficients beyond the labyrinth window's, in the user's units.
struct DynamicsOptions {
  double tooth_height = 0;              // length unit
  TeethOn teeth_on = TeethOn::kStator;  // straight seals only; ignored for stepped ones
  double preswirl = kDefaultPreswirl;
  double whirl_ratio = kDefaultWhirlRatio;
  // cp/cv of the ideal gas; nothing: the gas's own (GammaOfCase). Not used for the real gas.
  std::optional<double> gamma;
  // The leakage and cavity states along the real gas's isentrope (rho from the equation of
  // state, the storage term (d rho/dp)_T) instead of the ideal gas's.
  bool real_gas = false;
  ViscosityLawKind viscosity_law = ViscosityLawKind::kGas;
  double viscosity = 0;                                // kConstant: viscosity unit
  std::array<UserViscosityReference, 2> references{};  // kSutherland
  bool jenny_kanki = false;
};

// "lbf/in" or "N/m"; "lbf-s/in" or "N-s/m".
std::string StiffnessUnit(const UnitChoice& units);
std::string DampingUnit(const UnitChoice& units);

struct LeakageAnswer {
  bool ok = false;
  std::string message;   // empty when ok
  double mass_flow = 0;  // mass-flow unit
  bool choked = false;
};

struct CavityAnswer {
  double pressure = 0;                // pressure unit
  double temperature = 0;             // temperature unit
  double swirl = 0;                   // velocity unit
  std::optional<double> swirl_ratio;  // V_i / U; nothing at rest
  double shear_rotor = 0;             // pressure unit
  double shear_stator = 0;            // pressure unit
  double viscosity = 0;               // viscosity unit
};

struct SpeedAnswer {
  double speed = 0;            // rpm
  double whirl_frequency = 0;  // rpm
  DynamicsStatus status = DynamicsStatus::kCalculationError;
  std::string message;  // empty when ok
  // The rest only when ok; stiffness and damping in their units above.
  RotordynamicCoefficients coefficients;
  double effective_stiffness = 0;
  std::optional<double> effective_damping;
  std::optional<double> whirl_frequency_ratio;
  double surface_speed = 0;            // U, velocity unit
  std::vector<CavityAnswer> cavities;  // cavities 1..N-1

  bool ok() const { return status == DynamicsStatus::kOk; }
};

class DynamicsCalculation {
 public:
  // Works the leakage of the case at once; never throws. The gas is the characterised mixture.
  DynamicsCalculation(const LabyInputs& inputs, const UnitChoice& units, const GasMixture& gas,
                      const DynamicsOptions& options);

  const UnitChoice& units() const { return units_; }
  const LabyInputs& inputs() const { return inputs_; }
  const DynamicsOptions& options() const { return options_; }
  // The gamma the ideal gas is worked with; nothing for the real gas.
  const std::optional<CaseGamma>& gamma() const { return gamma_; }
  const LeakageAnswer& leakage() const { return leakage_; }
  // The model in SI units.
  const SealDynamics& model() const { return model_; }

  // One rotor speed (rpm); a failure is the answer's status and message. Never throws.
  SpeedAnswer AtSpeed(double rpm) const;

 private:
  // The case in SI units, or why it could not be converted.
  struct Converted {
    DynamicsCase dynamics_case;
    std::string failure;
  };
  static Converted Convert(const LabyInputs& inputs, const UnitChoice& units, const GasMixture& gas,
                           const DynamicsOptions& options, const std::optional<CaseGamma>& gamma);
  static SealDynamics Model(const Converted& converted, const GasMixture& gas, bool real_gas);

  UnitChoice units_;
  LabyInputs inputs_;
  DynamicsOptions options_;
  std::optional<CaseGamma> gamma_;
  Converted converted_;
  SealDynamics model_;
  LeakageAnswer leakage_;
};

}  // namespace torvane
