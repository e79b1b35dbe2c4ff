#include "dynamics/viscosity_law.h"

#include <cmath>

#include "platform/errors.h"

namespace torvane {
namespace {

bool PositiveFinite(double v) { return std::isfinite(v) && v > 0; }

std::optional<double> PositiveOrNothing(double v) {
  if (PositiveFinite(v)) return v;
  return std::nullopt;
}

}  // namespace

const char* ViscosityLawKey(ViscosityLawKind kind) {
  switch (kind) {
    case ViscosityLawKind::kGas:
      return "gas";
    case ViscosityLawKind::kSutherland:
      return "sutherland";
    case ViscosityLawKind::kConstant:
      break;
  }
  return "constant";
}

std::optional<std::string> ViscosityLawProblem(const ViscosityLaw& law) {
  switch (law.kind) {
    case ViscosityLawKind::kGas: {
      const ViscosityGas& g = law.gas;
      if (!PositiveFinite(g.molar_mass) || !PositiveFinite(g.crit_temp) ||
          !PositiveFinite(g.crit_press) || !std::isfinite(g.acentric)) {
        return "The gas has no critical constants to give its viscosity";
      }
      return std::nullopt;
    }
    case ViscosityLawKind::kSutherland: {
      for (const ViscosityReference& r : law.references) {
        if (!PositiveFinite(r.temperature) || !PositiveFinite(r.viscosity)) {
          return "The reference states of Sutherland's law need temperatures above 0 K and "
                 "positive viscosities";
        }
      }
      if (law.references[0].temperature == law.references[1].temperature) {
        return "The two reference states of Sutherland's law must be at different temperatures";
      }
      try {
        FitSutherland(law.references);
      } catch (const CalculationError&) {
        return "Sutherland's law cannot be fitted through the two reference states";
      }
      return std::nullopt;
    }
    case ViscosityLawKind::kConstant:
      if (!PositiveFinite(law.constant)) return "The constant viscosity must be positive";
      return std::nullopt;
  }
  return std::nullopt;
}

SutherlandFit FitSutherland(const std::array<ViscosityReference, 2>& r) {
  const double phi_a = CheckedDiv(std::pow(r[0].temperature, 1.5), r[0].viscosity, "Sutherland");
  const double phi_b = CheckedDiv(std::pow(r[1].temperature, 1.5), r[1].viscosity, "Sutherland");
  SutherlandFit fit;
  fit.b = CheckedDiv(r[1].temperature - r[0].temperature, phi_b - phi_a, "Sutherland");
  fit.s = Checked(fit.b * phi_a - r[0].temperature, "Sutherland");
  if (fit.b == 0) throw CalculationError("Sutherland fit without viscosity");
  return fit;
}

std::optional<double> LawViscosity(const ViscosityLaw& law, double temperature, double density) {
  if (ViscosityLawProblem(law) || !PositiveFinite(temperature)) return std::nullopt;
  switch (law.kind) {
    case ViscosityLawKind::kGas:
      try {
        return PositiveOrNothing(GasViscosity(law.gas, temperature, density));
      } catch (const CalculationError&) {
        return std::nullopt;
      }
    case ViscosityLawKind::kSutherland: {
      const SutherlandFit fit = FitSutherland(law.references);
      const double denominator = temperature + fit.s;
      if (denominator == 0) return std::nullopt;
      return PositiveOrNothing(fit.b * std::pow(temperature, 1.5) / denominator);
    }
    case ViscosityLawKind::kConstant:
      return law.constant;
  }
  return std::nullopt;
}

}  // namespace torvane
