// Dense complex linear systems in single precision, on caller-owned column-major arrays.
//
// Both routines allocate nothing and keep no state between calls beyond the arrays the
// caller hands back. Element (i, j) of a matrix with leading dimension ld is element
// (i - 1) + (j - 1) * ld of its array. Failure is reported through the indicator ier:
// 0 success, 129 singular matrix (a zero row or a negligible pivot), 130 iterative
// refinement did not converge within 50 steps (LEQ2C only).
#pragma once

#include "engine/numeric.hpp"
#include "engine/report/message_sink.hpp"

namespace korval::engine {

// Crout LU factorisation with row equilibration and scaled partial pivoting, and the
// solution of the factored system for nrhs right-hand sides.
//   a       lda x n, in/out: the matrix; on return of a factoring call the unit lower factor
//           (strictly below the diagonal) and the upper factor of the row-permuted matrix.
//   b       ldb x nrhs, in/out: right-hand sides on entry, solutions on return (when solving).
//   job     0 factor and solve, 1 factor only, 2 solve with the factors and pivots of an
//           earlier call.
//   pivots  n reals: on return of a factoring call, element j holds the index of the row
//           swapped into position j.
// A matrix with a zero row or a non-finite entry, or with a pivot negligible against the
// order n, gives ier = 129 at once; a is then left partly factored and b is not touched.
// Cost: n^3/3 complex multiply-adds to factor, n^2 per right-hand side to solve.
void LEQT1C(Cplx* a, int n, int lda, Cplx* b, int nrhs, int ldb, int job, Real* pivots, int& ier);

// High-accuracy solution: factors a copy of a with LEQT1C and improves every solution by
// iterative refinement against the unfactored matrix, with residuals accumulated in double.
//   a       lda x n, in: the matrix, not modified.
//   b       ldb x nrhs, in/out: right-hand sides on entry, refined solutions on return.
//   job     as for LEQT1C; job 2 needs work and pivots unchanged from the factoring call.
//   work    at least n * (n + 2) complex numbers, leading dimension n: the factors, the
//           current solution and the residual (then the correction).
//   pivots  n reals, handed to LEQT1C.
//   sink    receives " ERROR ENCOUNTERED IN LEQ2C SUBROUTINE" when the factorisation fails
//           (b is then unchanged); may be null.
// The refinement of a column ends when the correction is negligible against the first
// solution or no longer changes the solution; after 50 steps without either, ier = 130: that
// column holds its last refined solution and the later columns keep their right-hand sides.
// Non-finite data never count as converged.
void LEQ2C(const Cplx* a, int n, int lda, Cplx* b, int nrhs, int ldb, int job, Cplx* work,
           Real* pivots, int& ier, MessageSink* sink);

}  // namespace korval::engine
