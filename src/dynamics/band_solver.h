// A complex banded linear system with kl sub- and ku super-diagonals, solved by Gaussian
// elimination with partial pivoting (the LU factors keep kl + ku super-diagonals) and judged by
// the componentwise backward error of each solution. O(n kl (kl + ku)).
#pragma once

#include <complex>
#include <vector>

namespace torvane {

class BandSolver {
 public:
  using Complex = std::complex<double>;

  BandSolver(int size, int lower, int upper);

  int size() const { return n_; }

  // Clears the matrix for a new system of the same shape.
  void Clear();
  // Element (row, column) of the matrix, inside the band: row - lower <= column <= row + upper.
  Complex& At(int row, int column) { return band_[Index(row, column)]; }
  Complex At(int row, int column) const { return band_[Index(row, column)]; }

  // Factors the matrix; false when a pivot is exactly zero or not finite (a singular matrix).
  bool Factor();
  // Solves the factored system for b, in place. The matrix as given before Factor() is kept for
  // the residual.
  void Solve(std::vector<Complex>& b) const;
  // The componentwise backward error of x for the right-hand side b: the largest
  // |b - A x|_i / (sum_j |A_ij| |x_j| + |b_i|); 0 for an exact solution. Rows of different units
  // are judged alike this way. Infinity when x is not finite.
  double BackwardError(const std::vector<Complex>& x, const std::vector<Complex>& b) const;

 private:
  size_t Index(int row, int column) const {
    return static_cast<size_t>(row) * static_cast<size_t>(width_) +
           static_cast<size_t>(column - row + kl_);
  }

  int n_, kl_, ku_, width_;
  std::vector<Complex> band_;      // rows of columns row - kl .. row + kl + ku
  std::vector<Complex> original_;  // the matrix before factoring
  std::vector<int> pivots_;
  std::vector<Complex> inverse_pivots_;
};

}  // namespace torvane
