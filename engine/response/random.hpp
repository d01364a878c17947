// Random response: response spectral densities, spectral moments, peak factors and the
// expected maximum displacements under stationary random loads.
#pragma once

#include "engine/report/report.hpp"
#include "engine/run_state.hpp"

namespace korval::engine {

// H = D^-1 at frequency k (1-based) and the response spectral densities
// S_u(i) = Re sum_j sum_l conj(H(i,j)) S_F(j,l) H(i,l).
void random_at_frequency(const InputModel& in, Results& results, int k, const Matrix6& d, MessageSink& sink);

// The integral of n equally spaced samples y with spacing h: Simpson's rule for three or more
// samples, the trapezoidal rule for two, a single rectangle for one.
double integrate_samples(const Real* y, int stride, int n, double h, const double* factor = nullptr);

// Davenport's peak factor for mean frequency nu (Hz) over duration t; 0 when nu t <= 1.
Real peak_factor(double nu, double duration);

// The peak-factor table and the two response spectra.
void random_finish(const InputModel& in, const Results& results, Report& report);

}  // namespace korval::engine
