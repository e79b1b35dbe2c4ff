#include "python/dynamics_points.h"

#include <stdexcept>

#include "methods/method_comparison.h"
#include "platform/errors.h"
#include "python/leakage_points.h"
#include "python/module_units.h"
#include "thermo/gas_viscosity.h"

namespace torvane::python {

DynamicsPoints::DynamicsPoints(const ModuleGas& gas, const ModuleSeal& seal,
                               const DynamicsSettings& settings)
    : gas_(gas), seal_(seal), settings_(settings), units_(EnglishUnits()), engine_(messages_) {
  if (!seal_.tooth_height) throw std::invalid_argument("the coefficients need the tooth height");
  gas_.LoadInto(engine_);
}

DynamicsCase DynamicsPoints::CaseOf() const {
  DynamicsCase c;
  c.tooth_height = *seal_.tooth_height;
  c.teeth_on = seal_.straight ? seal_.teeth_on : TeethOn::kStator;
  c.preswirl = settings_.preswirl;
  c.whirl_ratio = settings_.whirl_ratio;
  c.jenny_kanki = settings_.jenny_kanki;
  c.viscosity.kind = settings_.viscosity.kind;
  switch (settings_.viscosity.kind) {
    case ViscosityLawKind::kGas:
      c.viscosity.gas = ViscosityGasOf(gas_.mixture());
      break;
    case ViscosityLawKind::kSutherland:
      c.viscosity.references = settings_.viscosity.references;
      break;
    case ViscosityLawKind::kConstant:
      c.viscosity.constant = settings_.viscosity.constant;
      break;
  }
  return c;
}

const SealDynamics& DynamicsPoints::CaseAt(const OperatingPoint& point) {
  if (model_ && point_ == point) return *model_;
  point_ = point;
  DynamicsCase c = CaseOf();
  const LabyInputs inputs = EnglishInputs(seal_, point);
  messages_.Clear();
  MethodResult failed;
  try {
    const double gamma =
        GammaAt(settings_.gamma, gas_.mixture(), units_.ConvertTemperature(inputs.temp_up, "AR"));
    c.seal = SealCaseOf(inputs, units_, gas_.mixture().mix_mol_weight, gamma);
    if (!settings_.real_gas) {
      model_.emplace(c);
      return *model_;
    }
    const RealGasToothByToothResult r =
        WorkRealGasToothByTooth(inputs, units_, engine_, messages_, gamma);
    if (r.method.ok()) {
      model_.emplace(c, r.method, RealGasFlow(r));
      return *model_;
    }
    failed = r.method;
  } catch (const CalculationError&) {
    failed = MethodResult{};
    failed.message = "An input cannot be converted to SI units";
  }
  model_.emplace(c, failed, SealFlow{});
  return *model_;
}

SpeedDynamics DynamicsPoints::AtSpeed(double rpm) const {
  if (!model_) throw std::logic_error("no case has been worked");
  return model_->AtSpeed(rpm);
}

}  // namespace torvane::python
