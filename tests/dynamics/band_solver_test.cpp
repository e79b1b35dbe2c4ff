// The banded complex solver: exact answers that need row exchanges, singular matrices, and the
// backward error that judges a solution.
#include "dynamics/band_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace torvane {
namespace {

using Complex = BandSolver::Complex;

// A band matrix with 3 sub- and 2 super-diagonals and zeros on its diagonal, so that every
// column needs a row exchange; x_k = k + 1 - i k.
TEST(BandSolverTest, SolvesWithRowExchanges) {
  const int n = 8;
  BandSolver s(n, 3, 2);
  std::vector<Complex> x(n), b(n);
  for (int k = 0; k < n; ++k) x[static_cast<size_t>(k)] = Complex(k + 1, -k);
  for (int r = 0; r < n; ++r) {
    for (int c = std::max(0, r - 3); c <= std::min(n - 1, r + 2); ++c) {
      if (c == r) continue;
      s.At(r, c) = Complex(1 + r + 2 * c, r - c);
    }
  }
  for (int r = 0; r < n; ++r) {
    for (int c = std::max(0, r - 3); c <= std::min(n - 1, r + 2); ++c) {
      b[static_cast<size_t>(r)] += s.At(r, c) * x[static_cast<size_t>(c)];
    }
  }
  ASSERT_TRUE(s.Factor());
  std::vector<Complex> solution = b;
  s.Solve(solution);
  for (int k = 0; k < n; ++k) {
    EXPECT_LT(std::abs(solution[static_cast<size_t>(k)] - x[static_cast<size_t>(k)]), 1e-12) << k;
  }
  EXPECT_LT(s.BackwardError(solution, b), 1e-15);
  std::vector<Complex> wrong = solution;
  wrong[3] += 1;
  EXPECT_GT(s.BackwardError(wrong, b), 1e-3);
  wrong[2] = Complex(NAN, 0);
  EXPECT_TRUE(std::isinf(s.BackwardError(wrong, b)));
}

TEST(BandSolverTest, SingularMatrixIsRefused) {
  BandSolver s(4, 3, 2);
  s.At(0, 0) = 1;
  s.At(1, 1) = 2;
  s.At(3, 3) = 4;  // column 2 is empty
  EXPECT_FALSE(s.Factor());
  s.Clear();
  s.At(0, 0) = s.At(1, 1) = s.At(2, 2) = s.At(3, 3) = Complex(0, INFINITY);
  EXPECT_FALSE(s.Factor());
}

}  // namespace
}  // namespace torvane
