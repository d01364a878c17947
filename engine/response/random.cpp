#include "engine/response/random.hpp"

#include <cmath>

#include "engine/impedance/complex_solvers.hpp"
#include "engine/report/results.hpp"
#include "engine/response/frequency_grid.hpp"

namespace korval::engine {

void random_at_frequency(const InputModel& in, Results& results, int k, const Matrix6& d, MessageSink& sink) {
  Cplx h[36] = {};
  for (int i = 0; i < 6; ++i) h[i * 7] = Cplx(1.0f, 0.0f);
  int ier = 0;
  LEQ2C(d.a, 6, 6, h, 6, 6, 0, results.solver_work, results.pivots, ier, &sink);
  const RandomLoad& r = in.random;
  const bool given = k <= r.points;
  for (int i = 0; i < 6; ++i) {
    Real s = 0;
    if (given && ier != 129) {
      for (int j = 0; j < 6; ++j)
        for (int l = 0; l < 6; ++l) {
          const Real sf = r.spectrum[j][l][k - 1];
          if (sf != 0) s += (std::conj(h[i + 6 * j]) * sf * h[i + 6 * l]).real();
        }
    }
    results.density[k - 1][i] = s;
  }
}

double integrate_samples(const Real* y, int stride, int n, double h, const double* factor) {
  auto value = [&](int k) { return static_cast<double>(y[k * stride]) * (factor ? factor[k] : 1.0); };
  if (n <= 0) return 0;
  if (n == 1) return h * value(0);
  if (n == 2) return h / 2 * (value(0) + value(1));
  // Weights 1, 4, 2, 4, ..., the last sample 1 (for an even count the next-to-last weight is 2
  // or 4 as the alternation gives it).
  double sum = value(0) + value(n - 1);
  for (int k = 1; k < n - 1; ++k) sum += (k % 2 == 1 ? 4.0 : 2.0) * value(k);
  return h / 3 * sum;
}

Real peak_factor(double nu, double duration) {
  if (!(nu > 0)) return 0;
  const double lambda = 2 * std::log(nu * duration);
  if (!(lambda > 0)) return 0;
  return static_cast<Real>(std::sqrt(lambda) + 0.5772 / std::sqrt(lambda));
}

void random_finish(const InputModel& in, const Results& results, Report& report) {
  const RandomLoad& r = in.random;
  const int nf = results.frequencies;
  const double step = random_step(r);
  if (nf == 2)
    report.message({" ONLY TWO FREQUENCIES - SPECTRAL MOMENTS BY THE TRAPEZOIDAL RULE"});
  else if (nf == 1)
    report.message({" ONLY ONE FREQUENCY - SPECTRAL MOMENTS BY A SINGLE RECTANGLE OF THE FREQUENCY STEP"});
  double omega_squared[kMaxFrequencies];
  for (int k = 0; k < nf; ++k) {
    const double w = r.w_min + k * step;
    omega_squared[k] = w * w;
  }
  write_peak_factor_header(report);
  bool undefined = false;
  for (int i = 0; i < 6; ++i) {
    const double m0 = integrate_samples(&results.density[0][i], 6, nf, step);
    const double m2 = integrate_samples(&results.density[0][i], 6, nf, step, omega_squared);
    const double nu = m0 > 0 && m2 > 0 ? std::sqrt(m2 / m0) / (2 * M_PI) : 0.0;
    const Real g = peak_factor(nu, r.duration);
    undefined = undefined || (nu > 0 && g == 0);
    const Real maximum = m0 > 0 ? static_cast<Real>(g * std::sqrt(m0)) : 0.0f;
    write_peak_factor_line(report, i + 1, g, maximum);
  }
  if (undefined)
    report.message({" PEAK FACTOR 0 MEANS NOT DEFINED: THE DURATION IS NOT LONGER THAN ONE MEAN PERIOD",
                    " OF THE RESPONSE (MEAN FREQUENCY TIMES DURATION NOT GREATER THAN 1)"});
  write_spectrum_header(report, SpectrumKind::TranslationX);
  for (int k = 1; k <= nf; ++k) write_spectrum_line(report, random_frequency(r, k), results.density[k - 1][0]);
  write_spectrum_header(report, SpectrumKind::RotationY);
  for (int k = 1; k <= nf; ++k) write_spectrum_line(report, random_frequency(r, k), results.density[k - 1][4]);
}

}  // namespace korval::engine
