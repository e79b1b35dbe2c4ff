#include "dynamics/band_solver.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace torvane {
namespace {

using Complex = BandSolver::Complex;

// Products and quotients of finite numbers, without the library's recovery of infinities and
// NaNs (the solver checks its pivots and its results instead).
inline Complex Mul(Complex a, Complex b) {
  return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// 1 / b by Smith's scaling, which neither overflows nor underflows for moderate values.
inline Complex Reciprocal(Complex b) {
  if (std::abs(b.real()) >= std::abs(b.imag())) {
    const double r = b.imag() / b.real();
    const double d = b.real() + b.imag() * r;
    return {1 / d, -r / d};
  }
  const double r = b.real() / b.imag();
  const double d = b.real() * r + b.imag();
  return {r / d, -1 / d};
}

inline double Magnitude1(Complex a) { return std::abs(a.real()) + std::abs(a.imag()); }

}  // namespace

BandSolver::BandSolver(int size, int lower, int upper)
    : n_(size),
      kl_(lower),
      ku_(upper),
      width_(2 * lower + upper + 1),
      band_(static_cast<size_t>(size) * static_cast<size_t>(2 * lower + upper + 1)),
      pivots_(static_cast<size_t>(size)),
      inverse_pivots_(static_cast<size_t>(size)) {}

void BandSolver::Clear() { std::fill(band_.begin(), band_.end(), Complex()); }

bool BandSolver::Factor() {
  original_ = band_;
  const int reach = kl_ + ku_;
  for (int k = 0; k < n_; ++k) {
    const int last_row = std::min(n_ - 1, k + kl_);
    const int last_column = std::min(n_ - 1, k + reach);
    int p = k;
    double largest = Magnitude1(At(k, k));
    for (int r = k + 1; r <= last_row; ++r) {
      const double m = Magnitude1(At(r, k));
      if (m > largest) {
        largest = m;
        p = r;
      }
    }
    if (!(largest > 0) || !std::isfinite(largest)) return false;
    pivots_[static_cast<size_t>(k)] = p;
    if (p != k) {
      for (int c = k; c <= last_column; ++c) std::swap(At(k, c), At(p, c));
    }
    const Complex inverse = Reciprocal(At(k, k));
    inverse_pivots_[static_cast<size_t>(k)] = inverse;
    for (int r = k + 1; r <= last_row; ++r) {
      Complex& lower = At(r, k);
      if (lower == Complex()) continue;
      lower = Mul(lower, inverse);
      for (int c = k + 1; c <= last_column; ++c) At(r, c) -= Mul(lower, At(k, c));
    }
  }
  return true;
}

void BandSolver::Solve(std::vector<Complex>& b) const {
  const int reach = kl_ + ku_;
  for (int k = 0; k < n_; ++k) {
    const int p = pivots_[static_cast<size_t>(k)];
    if (p != k) std::swap(b[static_cast<size_t>(k)], b[static_cast<size_t>(p)]);
    const Complex bk = b[static_cast<size_t>(k)];
    const int last_row = std::min(n_ - 1, k + kl_);
    for (int r = k + 1; r <= last_row; ++r) b[static_cast<size_t>(r)] -= Mul(At(r, k), bk);
  }
  for (int k = n_ - 1; k >= 0; --k) {
    Complex sum = b[static_cast<size_t>(k)];
    const int last_column = std::min(n_ - 1, k + reach);
    for (int c = k + 1; c <= last_column; ++c) sum -= Mul(At(k, c), b[static_cast<size_t>(c)]);
    b[static_cast<size_t>(k)] = Mul(sum, inverse_pivots_[static_cast<size_t>(k)]);
  }
}

double BandSolver::BackwardError(const std::vector<Complex>& x,
                                 const std::vector<Complex>& b) const {
  double worst = 0;
  for (int r = 0; r < n_; ++r) {
    Complex residual = b[static_cast<size_t>(r)];
    double scale = Magnitude1(residual);
    const int first = std::max(0, r - kl_);
    const int last = std::min(n_ - 1, r + ku_);
    for (int c = first; c <= last; ++c) {
      const Complex a = original_[Index(r, c)];
      const Complex xc = x[static_cast<size_t>(c)];
      residual -= Mul(a, xc);
      scale += Magnitude1(a) * Magnitude1(xc);
    }
    const double error = Magnitude1(residual);
    if (!std::isfinite(error) || !std::isfinite(scale)) {
      return std::numeric_limits<double>::infinity();
    }
    if (error > 0) worst = std::max(worst, error / scale);
  }
  return worst;
}

}  // namespace torvane
