#include "engine/impedance/complex_solvers.hpp"

#include <cassert>
#include <cmath>

namespace korval::engine {
namespace {

constexpr int kSingular = 129;
constexpr int kNoConvergence = 130;
constexpr int kMaxRefinementSteps = 50;

// Modulus as the factorisation measures it, in single precision.
Real modulus(Cplx z) { return std::sqrt(z.real() * z.real() + z.imag() * z.imag()); }

// Box norm as the refinement measures it.
Real box_norm(Cplx z) {
  const Real re = std::fabs(z.real());
  const Real im = std::fabs(z.imag());
  return re > im ? re : im;
}

// Running maximum that keeps a NaN once it has met one, so that non-finite data never pass
// for a small value.
void raise_to(Real& max, Real v) {
  if (v > max || std::isnan(v)) max = v;
}

// True when x + y, rounded to single precision, equals x. The sum is stored in a float the
// optimiser may not drop, so the test is made in single precision whatever the registers.
bool negligible_against(Real x, Real y) {
  volatile Real sum = x + y;
  return sum == x;
}

// Crout factorisation of the row-permuted matrix in place; returns false when singular.
bool factor(MatrixRef<Cplx> a, int n, Real* pivots) {
  // Row equilibration: the reciprocal of the largest modulus of each row.
  for (int i = 1; i <= n; ++i) {
    Real p = 0;
    for (int j = 1; j <= n; ++j) raise_to(p, modulus(a(i, j)));
    if (p == 0) return false;
    pivots[i - 1] = 1 / p;
  }
  for (int j = 1; j <= n; ++j) {
    // Upper factor above the diagonal.
    for (int i = 1; i < j; ++i) {
      Cplx s = a(i, j);
      for (int k = 1; k < i; ++k) s -= a(i, k) * a(k, j);
      a(i, j) = s;
    }
    // Candidates on and below the diagonal; the first of the largest scaled size pivots.
    Real largest = 0;
    int r = j;
    for (int i = j; i <= n; ++i) {
      Cplx s = a(i, j);
      for (int k = 1; k < j; ++k) s -= a(i, k) * a(k, j);
      a(i, j) = s;
      const Real scaled = pivots[i - 1] * modulus(s);
      if (scaled > largest) {
        largest = scaled;
        r = i;
      }
    }
    if (negligible_against(static_cast<Real>(n), largest)) return false;
    if (r != j) {
      for (int k = 1; k <= n; ++k) {
        const Cplx t = a(r, k);
        a(r, k) = a(j, k);
        a(j, k) = t;
      }
      pivots[r - 1] = pivots[j - 1];
    }
    pivots[j - 1] = static_cast<Real>(r);
    for (int i = j + 1; i <= n; ++i) a(i, j) = a(i, j) / a(j, j);
  }
  return true;
}

// Forward and back substitution of one right-hand side with the factors in a.
void substitute(MatrixRef<const Cplx> a, int n, const Real* pivots, Cplx* b) {
  // Forward, applying the row interchanges as it goes; the sums start at the first non-zero
  // entry of the permuted right-hand side, so leading zeros cost nothing.
  int first = 0;
  for (int i = 1; i <= n; ++i) {
    const int r = static_cast<int>(pivots[i - 1]);
    Cplx s = b[r - 1];
    b[r - 1] = b[i - 1];
    if (first != 0) {
      for (int k = first; k < i; ++k) s -= a(i, k) * b[k - 1];
    } else if (s != Cplx{}) {
      first = i;
    }
    b[i - 1] = s;
  }
  for (int i = n; i >= 1; --i) {
    Cplx s = b[i - 1];
    for (int k = i + 1; k <= n; ++k) s -= a(i, k) * b[k - 1];
    b[i - 1] = s / a(i, i);
  }
}

// r = b - a x for one column, accumulated in double and rounded once per component.
void residual(MatrixRef<const Cplx> a, int n, const Cplx* b, const Cplx* x, Cplx* r) {
  for (int i = 1; i <= n; ++i) {
    double re = b[i - 1].real();
    double im = b[i - 1].imag();
    for (int k = 1; k <= n; ++k) {
      const double ar = a(i, k).real(), ai = a(i, k).imag();
      const double xr = x[k - 1].real(), xi = x[k - 1].imag();
      re -= ar * xr - ai * xi;
      im -= ar * xi + ai * xr;
    }
    r[i - 1] = Cplx(static_cast<Real>(re), static_cast<Real>(im));
  }
}

}  // namespace

void LEQT1C(Cplx* a, int n, int lda, Cplx* b, int nrhs, int ldb, int job, Real* pivots, int& ier) {
  assert(n >= 1 && lda >= n && (job == 1 || ldb >= n));
  ier = 0;
  const MatrixRef<Cplx> m{a, lda};
  if (job != 2 && !factor(m, n, pivots)) {
    ier = kSingular;
    return;
  }
  if (job == 1) return;
  const MatrixRef<const Cplx> factors{a, lda};
  for (int col = 1; col <= nrhs; ++col) substitute(factors, n, pivots, MatrixRef<Cplx>{b, ldb}.column(col));
}

void LEQ2C(const Cplx* a, int n, int lda, Cplx* b, int nrhs, int ldb, int job, Cplx* work,
           Real* pivots, int& ier, MessageSink* sink) {
  assert(n >= 1 && lda >= n && (job == 1 || ldb >= n));
  ier = 0;
  const MatrixRef<const Cplx> matrix{a, lda};
  const MatrixRef<Cplx> w{work, n};
  if (job != 2) {
    for (int j = 1; j <= n; ++j)
      for (int i = 1; i <= n; ++i) w(i, j) = matrix(i, j);
    LEQT1C(work, n, n, b, nrhs, ldb, 1, pivots, ier);
    if (ier != 0) {
      if (sink) sink->line(" ERROR ENCOUNTERED IN LEQ2C SUBROUTINE");
      return;
    }
    if (job == 1) return;
  }
  const MatrixRef<const Cplx> factors{work, n};
  Cplx* x = w.column(n + 1);
  Cplx* d = w.column(n + 2);
  for (int col = 1; col <= nrhs; ++col) {
    Cplx* rhs = MatrixRef<Cplx>{b, ldb}.column(col);
    for (int i = 0; i < n; ++i) x[i] = rhs[i];
    substitute(factors, n, pivots, x);
    Real xmax = 0;
    for (int i = 0; i < n; ++i) raise_to(xmax, box_norm(x[i]));
    if (xmax == 0) continue;  // zero right-hand side: nothing to refine
    for (int step = 1;; ++step) {
      residual(matrix, n, rhs, x, d);
      substitute(factors, n, pivots, d);
      Real dmax = 0;
      bool changed = false;
      for (int i = 0; i < n; ++i) {
        const Cplx next = x[i] + d[i];
        changed = changed || next != x[i];
        x[i] = next;
        raise_to(dmax, box_norm(d[i]));
      }
      // Converged when the correction is negligible against the first solution, or when it
      // no longer changes the solution at all: a true solution halfway between two floats
      // leaves a correction of half a unit that the first test never accepts.
      if (negligible_against(xmax, dmax) || !changed) break;
      if (step == kMaxRefinementSteps) {
        ier = kNoConvergence;
        break;
      }
    }
    for (int i = 0; i < n; ++i) rhs[i] = x[i];
    if (ier != 0) return;
  }
}

}  // namespace korval::engine
