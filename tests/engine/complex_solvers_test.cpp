// The complex solvers against a double-precision elimination of the same systems, and their
// singular, pivoting and refinement paths.
#include "engine/impedance/complex_solvers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using korval::engine::Cplx;
using korval::engine::LEQ2C;
using korval::engine::LEQT1C;
using korval::engine::Real;
using Z = std::complex<double>;

constexpr Real kEps = std::numeric_limits<Real>::epsilon();
const Cplx kSentinel{-777.0f, 555.0f};

class RecordingSink final : public korval::engine::MessageSink {
 public:
  void line(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

// A column-major complex array with leading dimension ld, padded with a sentinel.
struct Array {
  int rows, cols, ld;
  std::vector<Cplx> data;
  Array(int r, int c, int l) : rows(r), cols(c), ld(l), data(static_cast<std::size_t>(l) * c, kSentinel) {}
  Cplx& operator()(int i, int j) { return data[(i - 1) + static_cast<std::size_t>(j - 1) * ld]; }
  Cplx operator()(int i, int j) const { return data[(i - 1) + static_cast<std::size_t>(j - 1) * ld]; }
  bool padding_intact() const {
    for (int j = 1; j <= cols; ++j)
      for (int i = rows + 1; i <= ld; ++i)
        if ((*this)(i, j) != kSentinel) return false;
    return true;
  }
};

Array random_matrix(int rows, int cols, int ld, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> u(-1, 1);
  Array a(rows, cols, ld);
  for (int j = 1; j <= cols; ++j)
    for (int i = 1; i <= rows; ++i) {
      const float re = u(gen);
      a(i, j) = Cplx(re, u(gen));
    }
  return a;
}

// Well conditioned but in need of row interchanges: a strong diagonal, then the rows reversed.
Array well_conditioned(int n, int ld, unsigned seed) {
  Array a = random_matrix(n, n, ld, seed);
  for (int i = 1; i <= n; ++i) a(i, i) += Cplx(3, 1);
  for (int i = 1; i <= n / 2; ++i)
    for (int j = 1; j <= n; ++j) std::swap(a(i, j), a(n + 1 - i, j));
  return a;
}

// Nearly singular: the last row repeats the first up to a relative change of about 1e-4.
Array nearly_singular(int n, int ld, unsigned seed) {
  Array a = random_matrix(n, n, ld, seed);
  const Array noise = random_matrix(n, n, n, seed + 1000);
  for (int j = 1; j <= n; ++j) a(n, j) = a(1, j) + 1e-4f * noise(1, j);
  return a;
}

// Solution of a x = b in double precision (Gaussian elimination with partial pivoting).
std::vector<Z> solve_double(const Array& a, const Array& b, int col) {
  const int n = a.rows;
  std::vector<Z> m(static_cast<std::size_t>(n) * n), x(n);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) m[i * n + j] = Z(a(i + 1, j + 1));
    x[i] = Z(b(i + 1, col));
  }
  for (int k = 0; k < n; ++k) {
    int p = k;
    for (int i = k + 1; i < n; ++i)
      if (std::abs(m[i * n + k]) > std::abs(m[p * n + k])) p = i;
    for (int j = 0; j < n; ++j) std::swap(m[k * n + j], m[p * n + j]);
    std::swap(x[k], x[p]);
    for (int i = k + 1; i < n; ++i) {
      const Z f = m[i * n + k] / m[k * n + k];
      for (int j = k; j < n; ++j) m[i * n + j] -= f * m[k * n + j];
      x[i] -= f * x[k];
    }
  }
  for (int i = n - 1; i >= 0; --i) {
    for (int j = i + 1; j < n; ++j) x[i] -= m[i * n + j] * x[j];
    x[i] /= m[i * n + i];
  }
  return x;
}

double box(Z z) { return std::max(std::abs(z.real()), std::abs(z.imag())); }

// Largest box-norm error of column col of x against the reference, relative to the largest
// component of the reference.
double relative_error(const Array& x, int col, const std::vector<Z>& ref) {
  double err = 0, size = 0;
  for (std::size_t i = 0; i < ref.size(); ++i) {
    err = std::max(err, box(Z(x(static_cast<int>(i) + 1, col)) - ref[i]));
    size = std::max(size, box(ref[i]));
  }
  return err / size;
}

TEST(ComplexSolvers, LEQT1CSolvesLikeDoublePrecision) {
  for (int n = 1; n <= 6; ++n)
    for (int pad : {0, 3}) {
      SCOPED_TRACE("order " + std::to_string(n) + ", leading dimension " + std::to_string(n + pad));
      Array a = well_conditioned(n, n + pad, 10u * n + pad);
      const Array original = a;
      Array b = random_matrix(n, 3, n + pad + 1, 99u + n);
      const Array rhs = b;
      std::vector<Real> pivots(n);
      int ier = -1;
      LEQT1C(a.data.data(), n, a.ld, b.data.data(), 3, b.ld, 0, pivots.data(), ier);
      ASSERT_EQ(ier, 0);
      for (int col = 1; col <= 3; ++col) EXPECT_LT(relative_error(b, col, solve_double(original, rhs, col)), 1e-5);
      EXPECT_TRUE(a.padding_intact());
      EXPECT_TRUE(b.padding_intact());
    }
}

// Hilbert matrix of order n, condition number about 5e5 for order 5 and 1.5e7 for order 6.
Array hilbert(int n, int ld) {
  Array a(n, n, ld);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) a(i, j) = Cplx(1.0f / static_cast<float>(i + j - 1));
  return a;
}

TEST(ComplexSolvers, LEQ2CRefinesIllConditionedSystemsToFullSinglePrecision) {
  std::vector<std::pair<std::string, Array>> systems;
  for (int n = 2; n <= 6; ++n) systems.emplace_back("nearly singular, order " + std::to_string(n), nearly_singular(n, n + 2, 7u * n));
  for (int n = 5; n <= 6; ++n) systems.emplace_back("Hilbert, order " + std::to_string(n), hilbert(n, n + 1));
  for (const auto& [name, a] : systems) {
    SCOPED_TRACE(name);
    const int n = a.rows;
    const Array rhs = random_matrix(n, 2, n, 3u * n);
    std::vector<Cplx> work(static_cast<std::size_t>(n) * (n + 2));
    std::vector<Real> pivots(n);

    Array plain_a = a, plain = rhs;
    int ier = -1;
    LEQT1C(plain_a.data.data(), n, a.ld, plain.data.data(), 2, n, 0, pivots.data(), ier);
    ASSERT_EQ(ier, 0);

    Array refined = rhs;
    LEQ2C(a.data.data(), n, a.ld, refined.data.data(), 2, n, 0, work.data(), pivots.data(), ier, nullptr);
    ASSERT_EQ(ier, 0);
    for (int col = 1; col <= 2; ++col) {
      const std::vector<Z> ref = solve_double(a, rhs, col);
      const double plain_error = relative_error(plain, col, ref);
      const double refined_error = relative_error(refined, col, ref);
      EXPECT_LE(refined_error, 2 * kEps) << "unrefined error " << plain_error;
      EXPECT_LE(refined_error, plain_error);
    }
  }
}

TEST(ComplexSolvers, LEQ2CInvertsWithTheIdentityAsRightHandSides) {
  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE("order " + std::to_string(n));
    const Array a = random_matrix(n, n, n + 1, 50u + n);
    Array x(n, n, n);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) x(i, j) = Cplx(i == j ? 1.0f : 0.0f);
    const Array identity = x;
    std::vector<Cplx> work(static_cast<std::size_t>(n) * (n + 2));
    std::vector<Real> pivots(n);
    int ier = -1;
    LEQ2C(a.data.data(), n, a.ld, x.data.data(), n, n, 0, work.data(), pivots.data(), ier, nullptr);
    ASSERT_EQ(ier, 0);
    EXPECT_TRUE(a.padding_intact());
    for (int col = 1; col <= n; ++col) EXPECT_LE(relative_error(x, col, solve_double(a, identity, col)), 2 * kEps);
  }
}

TEST(ComplexSolvers, FactorOnceThenSolveGivesTheSameSolutions) {
  const int n = 5;
  const Array a = well_conditioned(n, n, 4);
  const Array rhs = random_matrix(n, 2, n, 5);
  std::vector<Real> pivots(n);
  int ier = -1;

  Array together_a = a, together = rhs;
  LEQT1C(together_a.data.data(), n, n, together.data.data(), 2, n, 0, pivots.data(), ier);
  ASSERT_EQ(ier, 0);
  Array factored = a, later = rhs;
  LEQT1C(factored.data.data(), n, n, later.data.data(), 2, n, 1, pivots.data(), ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(later.data, rhs.data) << "job 1 must not solve";
  EXPECT_EQ(factored.data, together_a.data);
  LEQT1C(factored.data.data(), n, n, later.data.data(), 1, n, 2, pivots.data(), ier);
  LEQT1C(factored.data.data(), n, n, &later(1, 2), 1, n, 2, pivots.data(), ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(later.data, together.data);

  std::vector<Cplx> work(n * (n + 2));
  Array refined_together = rhs, refined_later = rhs;
  LEQ2C(a.data.data(), n, n, refined_together.data.data(), 2, n, 0, work.data(), pivots.data(), ier, nullptr);
  ASSERT_EQ(ier, 0);
  LEQ2C(a.data.data(), n, n, refined_later.data.data(), 2, n, 1, work.data(), pivots.data(), ier, nullptr);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(refined_later.data, rhs.data) << "job 1 must not solve";
  LEQ2C(a.data.data(), n, n, refined_later.data.data(), 2, n, 2, work.data(), pivots.data(), ier, nullptr);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(refined_later.data, refined_together.data);
}

TEST(ComplexSolvers, PivotRowsFollowTheScaledSizesAndTiesKeepTheEarlierRow) {
  // Column 1 scaled by the row maxima: 1/2 and 2/4 tie, so row 1 stays; L(2,1) = 2, U(2,2) = -8.
  Cplx tie[4] = {1, 2, 2, -4};  // columns (1, 2) and (2, -4)
  Real pivots[2];
  int ier = -1;
  LEQT1C(tie, 2, 2, nullptr, 0, 2, 1, pivots, ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(pivots[0], 1);
  EXPECT_EQ(tie[1], Cplx(2));
  EXPECT_EQ(tie[3], Cplx(-8));

  // 1/2 against 3/4: the later row is strictly larger and is swapped in.
  Cplx larger[4] = {1, 3, 2, -4};
  LEQT1C(larger, 2, 2, nullptr, 0, 2, 1, pivots, ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(pivots[0], 2);
  EXPECT_EQ(larger[0], Cplx(3));

  // Rows (1, 4, 100), (2, 1, 0), (1, 0, 1) with scales 1/100, 1/2, 1. Column 1: 0.01, 1, 1, so
  // row 2 pivots and row 1 takes position 2 with its own scale. Column 2: 3.5/100 against 0.5,
  // so the third row pivots.
  const Array a3 = [] {
    Array m(3, 3, 3);
    const float rows[3][3] = {{1, 4, 100}, {2, 1, 0}, {1, 0, 1}};
    for (int i = 1; i <= 3; ++i)
      for (int j = 1; j <= 3; ++j) m(i, j) = Cplx(rows[i - 1][j - 1]);
    return m;
  }();
  Array factors = a3;
  Array b(3, 1, 3);
  b(1, 1) = Cplx(1, 2);
  b(2, 1) = Cplx(0, -1);
  b(3, 1) = Cplx(3, 0);
  const Array rhs = b;
  Real p3[3];
  LEQT1C(factors.data.data(), 3, 3, b.data.data(), 1, 3, 0, p3, ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(p3[0], 2);
  EXPECT_EQ(p3[1], 3);
  EXPECT_EQ(p3[2], 3);
  EXPECT_LT(relative_error(b, 1, solve_double(a3, rhs, 1)), 1e-6);
}

TEST(ComplexSolvers, SingularMatrices) {
  struct Case {
    const char* name;
    Cplx a[4];  // 2 x 2 by columns
    bool untouched;  // rejected before any elimination
  };
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {"zero row", {Cplx(1, 2), 0, Cplx(3, -1), 0}, true},
      {"dependent rows", {1, 2, 2, 4}, false},
      // Order 2: the scaled pivot 2^-23 (1 - 2^-23) is below half a unit of 2 in single precision.
      {"pivot negligible in single precision", {1, 1, 1, 1 + std::ldexp(1.0f, -23)}, false},
      {"infinite entry", {1, 1, inf, 2}, false},
      {"NaN entry", {1, nan, 2, 3}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Cplx a[4] = {c.a[0], c.a[1], c.a[2], c.a[3]};
    Cplx b[2] = {Cplx(1, 1), Cplx(2, -1)};
    Real pivots[2];
    int ier = -1;
    LEQT1C(a, 2, 2, b, 1, 2, 0, pivots, ier);
    EXPECT_EQ(ier, 129);
    EXPECT_EQ(b[0], Cplx(1, 1));
    EXPECT_EQ(b[1], Cplx(2, -1));
    if (c.untouched) {
      for (int k = 0; k < 4; ++k) EXPECT_EQ(a[k], c.a[k]);
    }
  }

  // Twice that pivot is above the threshold and the system is solved: x = (1 - 2^22, 2^22).
  const float delta = std::ldexp(1.0f, -22);
  Cplx a[4] = {1, 1, 1, 1 + delta};
  Cplx b[2] = {1, 2};
  Real pivots[2];
  int ier = -1;
  LEQT1C(a, 2, 2, b, 1, 2, 0, pivots, ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(b[1], Cplx(1 / delta));
  EXPECT_EQ(b[0], Cplx(1 - 1 / delta));
}

TEST(ComplexSolvers, LEQ2CReportsAFailedFactorisationAndLeavesTheRightHandSides) {
  const Cplx a[9] = {1, 2, 3, 2, 4, 6, 0, 1, Cplx(0, 1)};  // column 2 is twice column 1
  Cplx b[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  Cplx work[15];
  Real pivots[3];
  RecordingSink sink;
  int ier = -1;
  LEQ2C(a, 3, 3, b, 3, 3, 0, work, pivots, ier, &sink);
  EXPECT_EQ(ier, 129);
  ASSERT_EQ(sink.lines.size(), 1u);
  EXPECT_EQ(sink.lines[0], " ERROR ENCOUNTERED IN LEQ2C SUBROUTINE");
  for (int k = 0; k < 9; ++k) EXPECT_EQ(b[k], Cplx(k % 4 == 0 ? 1.0f : 0.0f));

  LEQ2C(a, 3, 3, b, 3, 3, 0, work, pivots, ier, nullptr);  // no sink: same result, nothing written
  EXPECT_EQ(ier, 129);
}

TEST(ComplexSolvers, LEQ2CLeavesAZeroRightHandSideAndGoesOn) {
  const Array a = well_conditioned(3, 3, 21);
  Array b(3, 2, 3);
  for (int i = 1; i <= 3; ++i) {
    b(i, 1) = 0;
    b(i, 2) = Cplx(static_cast<float>(i), 1);
  }
  const Array rhs = b;
  Cplx work[15];
  Real pivots[3];
  int ier = -1;
  LEQ2C(a.data.data(), 3, 3, b.data.data(), 2, 3, 0, work, pivots, ier, nullptr);
  ASSERT_EQ(ier, 0);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(b(i, 1), Cplx(0));
  EXPECT_LE(relative_error(b, 2, solve_double(a, rhs, 2)), 2 * kEps);
}

// Refinement with the factors of another matrix (job 2) iterates x + F^-1 (b - A x): it
// converges to the solution of A when F is close to A, and diverges when the iteration matrix
// I - F^-1 A has a norm above 1, here -2 for A = 3 F.
TEST(ComplexSolvers, LEQ2CRefinesAgainstTheUnfactoredMatrixAndStopsAfterFiftySteps) {
  const int n = 4;
  const Array factored = well_conditioned(n, n, 41);
  std::vector<Cplx> work(n * (n + 2));
  std::vector<Real> pivots(n);
  int ier = -1;
  LEQ2C(factored.data.data(), n, n, nullptr, 0, n, 1, work.data(), pivots.data(), ier, nullptr);
  ASSERT_EQ(ier, 0);

  Array nearby = factored;
  for (int i = 1; i <= n; ++i) nearby(i, i) *= 1.01f;
  const Array rhs = random_matrix(n, 2, n, 42);
  Array x = rhs;
  LEQ2C(nearby.data.data(), n, n, x.data.data(), 2, n, 2, work.data(), pivots.data(), ier, nullptr);
  ASSERT_EQ(ier, 0);
  for (int col = 1; col <= 2; ++col) EXPECT_LE(relative_error(x, col, solve_double(nearby, rhs, col)), 2 * kEps);

  Array far = factored;
  for (Cplx& c : far.data) c *= 3.0f;
  x = rhs;
  LEQ2C(far.data.data(), n, n, x.data.data(), 2, n, 2, work.data(), pivots.data(), ier, nullptr);
  EXPECT_EQ(ier, 130);
  for (int i = 1; i <= n; ++i) EXPECT_EQ(x(i, 2), rhs(i, 2)) << "row " << i << " of the column after the failure";
}

// With A = [[1, 1], [1, 1 + 2^-10]] and this right-hand side the real part of x2 lies exactly
// halfway between two floats: the last correction is half a unit of it and never negligible
// against x1, but it no longer changes the solution, which ends the refinement.
TEST(ComplexSolvers, LEQ2CStopsWhenTheSolutionNoLongerChanges) {
  const float d = 0x1p-10f;
  const Cplx a[4] = {1, 1, 1, 1 + d};
  Cplx b[2] = {Cplx(-0x1.b793e6p-1f, 0x1.a022ep-4f), Cplx(0x1.5c1b9cp-1f, 0x1.aa4968p-2f)};
  const Z x2 = (Z(b[1]) - Z(b[0])) / double(d);
  const Z exact[2] = {Z(b[0]) - x2, x2};
  Cplx work[8];
  Real pivots[2];
  int ier = -1;
  LEQ2C(a, 2, 2, b, 1, 2, 0, work, pivots, ier, nullptr);
  EXPECT_EQ(ier, 0);
  for (int i = 0; i < 2; ++i) {
    const double half_unit = std::ldexp(1.0, std::ilogb(std::abs(exact[i].real())) - 24);
    EXPECT_LE(std::abs(b[i].real() - exact[i].real()), half_unit) << "x" << i + 1;
    EXPECT_LE(std::abs(b[i].imag() - exact[i].imag()), half_unit) << "x" << i + 1;
  }
}

TEST(ComplexSolvers, LEQ2CDoesNotPassANonFiniteSolutionAsConverged) {
  const Array a = well_conditioned(3, 3, 31);
  Cplx b[3] = {1, Cplx(std::numeric_limits<float>::quiet_NaN()), 2};
  Cplx work[15];
  Real pivots[3];
  int ier = -1;
  LEQ2C(a.data.data(), 3, 3, b, 1, 3, 0, work, pivots, ier, nullptr);
  EXPECT_EQ(ier, 130);
}

}  // namespace
