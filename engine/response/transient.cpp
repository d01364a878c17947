#include "engine/response/transient.hpp"

#include <limits>

#include "engine/impedance/complex_solvers.hpp"
#include "engine/report/results.hpp"

namespace korval::engine {

void transient_load_spectra(const InputModel& in, Results& results) {
  const TransientLoad& t = in.transient;
  const int nt = t.samples;
  for (int c = 0; c < 6; ++c) {
    Cplx* p = results.spectrum[c];
    for (int n = 0; n < nt; ++n) p[n] = Cplx(t.given[c] ? t.history[c][n] : 0.0f, 0.0f);
    if (!t.given[c]) continue;
    results.dft.transform(p, nt);
    for (int k = 0; k < nt; ++k) p[k] = std::conj(p[k]) / static_cast<Real>(nt);
  }
}

void transient_at_frequency(Results& results, int k, const Matrix6& d, MessageSink& sink) {
  Cplx u[6];
  for (int i = 0; i < 6; ++i) u[i] = results.spectrum[i][k - 1];
  int ier = 0;
  LEQ2C(d.a, 6, 6, u, 1, 6, 0, results.solver_work, results.pivots, ier, &sink);
  for (int i = 0; i < 6; ++i)
    results.spectrum[i][k - 1] = ier == 129 ? Cplx(std::numeric_limits<Real>::quiet_NaN(), 0.0f) : u[i];
}

void transient_finish(const InputModel& in, Results& results, Report& report) {
  const TransientLoad& t = in.transient;
  const int nt = t.samples;
  const int nf = results.frequencies;
  for (int i = 0; i < 6; ++i) {
    Cplx* u = results.spectrum[i];
    // A real history has a conjugate-symmetric spectrum; the mean term, and for an even count
    // the term at half the sampling frequency, are real.
    for (int k = nt / 2 + 2; k <= nt; ++k) u[k - 1] = std::conj(u[nt + 1 - k]);
    u[0].imag(0.0f);
    if (nt % 2 == 0) u[nf - 1].imag(0.0f);
    results.dft.transform(u, nt);
  }
  write_transient_header(report, in.units);
  for (int n = 1; n <= nt; ++n) {
    Real row[6];
    for (int i = 0; i < 6; ++i) row[i] = results.spectrum[i][n - 1].real();
    write_transient_line(report, static_cast<Real>(n) * t.dt, row);
  }
}

}  // namespace korval::engine
