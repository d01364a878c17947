#include "engine/response/harmonic.hpp"

#include <limits>

#include "engine/impedance/complex_solvers.hpp"
#include "engine/report/results.hpp"
#include "engine/response/frequency_grid.hpp"

namespace korval::engine {

void harmonic_at_frequency(const InputModel& in, Results& results, int k, Real omega, const Matrix6& d,
                           MessageSink& sink) {
  const HarmonicLoad& h = in.harmonic;
  const Real scale = h.quadratic ? omega * omega : 1.0f;
  Cplx u[6];
  for (int j = 0; j < 6; ++j) u[j] = Cplx(h.load[j] * scale, 0.0f);
  int ier = 0;
  LEQ2C(d.a, 6, 6, u, 1, 6, 0, results.solver_work, results.pivots, ier, &sink);
  Real* amplitude = results.amplitude[k - 1];
  for (int j = 0; j < 6; ++j)
    amplitude[j] = ier == 129 ? std::numeric_limits<Real>::quiet_NaN() : std::abs(u[j]);
}

void harmonic_finish(const InputModel& in, const Results& results, Report& report, PlotData& plot) {
  write_harmonic_header(report, in.units);
  for (int k = 1; k <= results.frequencies; ++k)
    write_harmonic_line(report, harmonic_table_frequency(in.harmonic, k), results.amplitude[k - 1]);
  for (int k = 1; k <= results.frequencies; ++k)
    plot.amplitudes(harmonic_table_frequency(in.harmonic, k), results.amplitude[k - 1]);
}

}  // namespace korval::engine
