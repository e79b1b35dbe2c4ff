#include "thermo/isentrope.h"

#include <algorithm>
#include <cmath>

#include "engine/equation_of_state.h"
#include "platform/errors.h"

namespace torvane {
namespace {

constexpr int kNewtonLimit = 50;

// (ln p, s / R) of the gas at ln T and ln rho (degR, lbmol/ft3), and the derivatives of both by
// ln T and ln rho.
struct PressureEntropy {
  double ln_p, s;
  double ln_p_t, ln_p_rho, s_t, s_rho;
};

PressureEntropy Evaluate(const CaloricGas& gas, double ln_t, double ln_rho) {
  const double t = std::exp(ln_t), rho = std::exp(ln_rho);
  const ResidualGroups g = BwrResidual(gas.mixture(), t, rho);
  if (!(g.z > 0) || !(g.x_rho > 0)) throw CalculationError("isentrope leaves the gas");
  const double t_k = t / kRankinePerKelvin;
  const IdealGasHeat& ideal = gas.ideal();
  PressureEntropy out;
  const double rt_rho = rho * kGasConstantEos * t;  // psia
  out.ln_p = std::log(rt_rho * g.z);
  // s/R = s0(T)/R - ln(p/p0) + mixing + s_res(T, rho)/R + ln Z, where -ln p + ln Z = -ln(rho R T).
  out.s = ideal.EntropyOverR(t_k) - std::log(rt_rho * kPascalPerPsi / kReferencePressure) +
          ideal.mixing_entropy + g.entropy;
  out.ln_p_t = g.x_t / g.z;
  out.ln_p_rho = g.x_rho / g.z;
  out.s_t = ideal.CpOverR(t_k) - 1 + g.cv;
  out.s_rho = -g.x_t;
  Checked(out.ln_p, "isentrope");
  Checked(out.s, "isentrope");
  return out;
}

}  // namespace

Isentrope::Isentrope(const CaloricGas& gas, const GasProperties& inlet) : gas_(&gas) {
  if (inlet.ideal_fallback) throw CalculationError("isentrope of an ideal-gas fallback");
  inlet_ = Point(inlet);
  entropy_over_r_ = inlet.entropy / kMolarGasConstant;
}

IsentropePoint Isentrope::Point(const GasProperties& p) const {
  IsentropePoint out;
  out.properties = p;
  out.ln_t = std::log(p.temperature * kRankinePerKelvin);
  out.ln_rho = std::log(p.bwr_density);
  // Along the isentrope d ln rho / d ln p = 1 / kappa and d ln T / d ln p = Z X_T / (X_rho cp/R).
  out.dln_rho = 1 / p.kappa;
  out.dln_t = p.z * p.residual.x_t / (p.residual.x_rho * p.cp / kMolarGasConstant);
  return out;
}

IsentropePoint Isentrope::At(double p, const IsentropePoint& near) const {
  if (!(p > 0) || !std::isfinite(p)) throw CalculationError("isentrope at a pressure not above 0");
  const double ln_p = std::log(p / kPascalPerPsi);
  const double shift = std::log(p / near.properties.pressure);
  double ln_t = near.ln_t + near.dln_t * shift;
  double ln_rho = near.ln_rho + near.dln_rho * shift;
  bool settled = false;
  for (int i = 0; i < kNewtonLimit && !settled; ++i) {
    const PressureEntropy e = Evaluate(*gas_, ln_t, ln_rho);
    const double f1 = e.ln_p - ln_p, f2 = e.s - entropy_over_r_;
    const double det = e.ln_p_t * e.s_rho - e.ln_p_rho * e.s_t;
    const double d_t = CheckedDiv(f1 * e.s_rho - f2 * e.ln_p_rho, det, "isentrope");
    const double d_rho = CheckedDiv(e.ln_p_t * f2 - e.s_t * f1, det, "isentrope");
    // Steps are kept below 0.5 in the logarithms so that a far start cannot leave the gas.
    const double scale = std::max({std::fabs(d_t), std::fabs(d_rho), 0.5}) / 0.5;
    ln_t -= d_t / scale;
    ln_rho -= d_rho / scale;
    settled = std::max(std::fabs(d_t), std::fabs(d_rho)) <= 1e-13;
  }
  if (!settled) throw CalculationError("isentrope does not settle");
  const double t = std::exp(ln_t);
  if (t < kLowestTemperature) {
    throw CalculationError("the isentrope falls below 200 deg R");
  }
  GasProperties props = PropertiesAtDensity(*gas_, t, std::exp(ln_rho));
  // The pressure asked for, not its round-off image through the equation of state.
  props.pressure = p;
  return Point(props);
}

IsentropeSample ExactIsentrope::At(double u) {
  const double p = std::exp(u);
  last_ = isentrope_->At(p, last_);
  const GasProperties& s = last_.properties;
  const double w = s.speed_of_sound;
  IsentropeSample out;
  out.rho = s.density;
  out.rho_u = p / (w * w);
  out.h = s.enthalpy_mass() - isentrope_->inlet().properties.enthalpy_mass();
  out.h_u = p / s.density;
  return out;
}

IsentropeTable::IsentropeTable(const Isentrope& isentrope, double step)
    : isentrope_(&isentrope),
      u0_(std::log(isentrope.inlet().properties.pressure)),
      step_(step),
      h0_(isentrope.inlet().properties.enthalpy_mass()) {
  if (!(step > 0)) throw CalculationError("isentrope table without a step");
  nodes_.reserve(64);
  Extend(2);
}

void IsentropeTable::Extend(size_t count) {
  if (count > static_cast<size_t>(kMaxNodes)) {
    throw CalculationError("isentrope table below its lowest pressure");
  }
  while (nodes_.size() < count) {
    const size_t k = nodes_.size();
    Node node;
    node.point = k == 0 ? isentrope_->inlet()
                        : isentrope_->At(std::exp(u0_ - static_cast<double>(k) * step_),
                                         nodes_.back().point);
    const GasProperties& s = node.point.properties;
    const double p = s.pressure;
    const double w = s.speed_of_sound;
    node.sample.rho = s.density;
    node.sample.rho_u = p / (w * w);
    node.sample.h = k == 0 ? 0 : s.enthalpy_mass() - h0_;
    node.sample.h_u = p / s.density;
    nodes_.push_back(node);
  }
}

IsentropeSample IsentropeTable::At(double u) {
  double below = (u0_ - u) / step_;
  if (!(below < static_cast<double>(kMaxNodes))) {
    throw CalculationError("isentrope table below its lowest pressure");
  }
  below = std::max(below, 0.0);
  const size_t k = static_cast<size_t>(below);
  if (k + 2 > nodes_.size()) Extend(k + 2);
  const IsentropeSample& a = nodes_[k].sample;
  const IsentropeSample& b = nodes_[k + 1].sample;
  // t runs from 0 at node k to 1 at node k + 1, one step lower in u.
  const double t = below - static_cast<double>(k);
  const double t2 = t * t, t3 = t2 * t;
  const double h00 = 2 * t3 - 3 * t2 + 1, h10 = t3 - 2 * t2 + t, h01 = 3 * t2 - 2 * t3,
               h11 = t3 - t2;
  const double d00 = 6 * t2 - 6 * t, d10 = 3 * t2 - 4 * t + 1, d01 = 6 * t - 6 * t2,
               d11 = 3 * t2 - 2 * t;
  const double s = step_;
  // Slopes by t are -step times slopes by u.
  IsentropeSample out;
  out.rho = h00 * a.rho - h10 * s * a.rho_u + h01 * b.rho - h11 * s * b.rho_u;
  out.rho_u = -(d00 * a.rho - d10 * s * a.rho_u + d01 * b.rho - d11 * s * b.rho_u) / s;
  out.h = h00 * a.h - h10 * s * a.h_u + h01 * b.h - h11 * s * b.h_u;
  out.h_u = -(d00 * a.h - d10 * s * a.h_u + d01 * b.h - d11 * s * b.h_u) / s;
  return out;
}

IsentropePoint IsentropeTable::Exact(double p) {
  const double below = std::max((u0_ - std::log(p)) / step_, 0.0);
  const size_t k = static_cast<size_t>(std::lround(below));
  if (k + 1 > nodes_.size()) Extend(k + 1);
  return isentrope_->At(p, nodes_[k].point);
}

}  // namespace torvane
