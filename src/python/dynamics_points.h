// The rotordynamic coefficients of a seal at many operating points and rotor speeds for the
// Python module: the model of `torvane-cli dynamics` on the cavity states of tooth by tooth,
// ideal or along the real gas's isentrope, in SI units. The leakage and cavity states of a case
// are found once and kept while the following points share the case.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "dynamics/seal_dynamics.h"
#include "dynamics/viscosity_law.h"
#include "engine/gas_engine.h"
#include "platform/message_service.h"
#include "python/module_gas.h"
#include "python/module_seal.h"

namespace torvane::python {

// The viscosity of the cavities in SI units: from the gas, a constant, or Sutherland's law
// through two states.
struct ModuleViscosity {
  ViscosityLawKind kind = ViscosityLawKind::kGas;
  double constant = 0;                             // Pa s
  std::array<ViscosityReference, 2> references{};  // K, Pa s
};

struct DynamicsSettings {
  double preswirl = kDefaultPreswirl;
  double whirl_ratio = kDefaultWhirlRatio;
  ModuleViscosity viscosity;
  std::optional<double> gamma;  // nothing: the gas's cp0/cv0 at the upstream temperature
  bool real_gas = false;
  bool jenny_kanki = false;
};

class DynamicsPoints {
 public:
  // The seal must have its tooth height.
  DynamicsPoints(const ModuleGas& gas, const ModuleSeal& seal, const DynamicsSettings& settings);
  DynamicsPoints(const DynamicsPoints&) = delete;
  DynamicsPoints& operator=(const DynamicsPoints&) = delete;

  // The seal worked at an operating point (its leakage, status and message); the one of the
  // point before when the point is the same.
  const SealDynamics& CaseAt(const OperatingPoint& point);
  // The coefficients at a rotor speed (rpm) of the case worked last. Never throws.
  SpeedDynamics AtSpeed(double rpm) const;

 private:
  // The case without its seal, which depends on the point.
  DynamicsCase CaseOf() const;

  ModuleGas gas_;
  ModuleSeal seal_;
  DynamicsSettings settings_;
  UnitChoice units_;
  RecordingMessageService messages_;
  GasEngine engine_;
  std::optional<OperatingPoint> point_;
  std::optional<SealDynamics> model_;
};

}  // namespace torvane::python
