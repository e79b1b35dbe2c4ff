// The isentrope of a gas through a state, as the real-gas seal walks it: at any pressure the
// temperature with s(p, T) equal to the inlet entropy, and the density, enthalpy, speed of sound
// and (d rho/dp)_T there. Two ways to look it up along ln p: exactly (a Newton solve per
// pressure) and from a table with cubic Hermite interpolation that extends itself downwards.
#pragma once

#include <vector>

#include "thermo/gas_properties.h"

namespace torvane {

// A state on an isentrope, with what a Newton solve started from it needs.
struct IsentropePoint {
  GasProperties properties;
  double ln_t = 0;     // ln T, T in degR
  double ln_rho = 0;   // ln rho, rho in lbmol/ft3
  double dln_t = 0;    // d ln T / d ln p along the isentrope
  double dln_rho = 0;  // d ln rho / d ln p along the isentrope, 1 / kappa
};

class Isentrope {
 public:
  // The isentrope through inlet, a state of gas that is not an ideal-gas fallback. The caller
  // keeps gas alive as long as the isentrope.
  Isentrope(const CaloricGas& gas, const GasProperties& inlet);

  const CaloricGas& gas() const { return *gas_; }
  const IsentropePoint& inlet() const { return inlet_; }

  // The state at p (Pa) on the isentrope: Newton in ln T and ln rho on the pressure and the
  // entropy, started from near (a state on the isentrope not far away). Raises
  // CalculationError when Newton does not settle or the state leaves the gas.
  IsentropePoint At(double p, const IsentropePoint& near) const;
  IsentropePoint At(double p) const { return At(p, inlet_); }

 private:
  IsentropePoint Point(const GasProperties& properties) const;

  const CaloricGas* gas_;
  IsentropePoint inlet_;
  double entropy_over_r_ = 0;  // s_inlet / R
};

// What the seal needs of the isentrope at u = ln(p / Pa): the density (kg/m3), the enthalpy
// (J/kg) above the inlet's, and their derivatives by u. On the isentrope dh = dp / rho, so
// h_u = p / rho, and rho_u = p / w^2.
struct IsentropeSample {
  double rho = 0;
  double rho_u = 0;
  double h = 0;
  double h_u = 0;
};

// The isentrope looked up exactly: one Newton solve per pressure, started from the last state
// looked up.
class ExactIsentrope {
 public:
  explicit ExactIsentrope(const Isentrope& isentrope)
      : isentrope_(&isentrope), last_(isentrope.inlet()) {}
  IsentropeSample At(double u);

 private:
  const Isentrope* isentrope_;
  IsentropePoint last_;
};

// The isentrope tabulated at u0 - k step (u0 the inlet's ln p, k = 0, 1, ...) with the exact
// values and slopes of density and enthalpy at each node, and cubic Hermite interpolation
// between. Nodes below the lowest pressure asked for so far are added when needed. With the
// default step the interpolation error is below 2e-9 of the density and 1e-9 of p/rho in the
// enthalpy for gases away from their critical point.
class IsentropeTable {
 public:
  static constexpr double kDefaultStep = 1.0 / 32;
  // The most nodes a table holds; a pressure below them raises CalculationError.
  static constexpr int kMaxNodes = 4096;

  explicit IsentropeTable(const Isentrope& isentrope, double step = kDefaultStep);
  IsentropeSample At(double u);
  // The node count so far.
  int nodes() const { return static_cast<int>(nodes_.size()); }
  // The exact state at p (Pa), started from the nearest node.
  IsentropePoint Exact(double p);

 private:
  struct Node {
    IsentropeSample sample;
    IsentropePoint point;
  };
  void Extend(size_t count);

  const Isentrope* isentrope_;
  double u0_, step_;
  double h0_;  // J/kg at the inlet
  std::vector<Node> nodes_;
};

}  // namespace torvane
