// The responses against closed-form physics: symmetry of a footing, and a damped oscillator
// under a slow load, an impulse and white noise.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/response/frequency_grid.hpp"
#include "engine/response/random.hpp"
#include "engine/response/transient.hpp"
#include "input_harness.hpp"
#include "run_harness.hpp"

namespace korval::engine {
namespace {

// The amplitude records of a plot-data file: omega and six amplitudes per line.
std::vector<std::vector<double>> amplitude_records(const std::string& plot) {
  std::vector<std::vector<double>> rows;
  std::istringstream in(plot);
  std::string line;
  std::getline(in, line);  // the count
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::vector<double> row;
    double v;
    while (fields >> v) row.push_back(v);
    if (row.size() == 7) rows.push_back(row);
  }
  return rows;
}

TEST(Response, VerticalLoadOnASymmetricFootingMovesItVerticallyOnly) {
  testing::RunFolder folder;
  // Circular and square footings, centre of gravity over the base centre.
  for (const char* geometry : {"CIRCULAR=2", "RECTANGULAR=3,3"}) {
    const auto out = folder.run(std::string("GRAVITY=9.8\nFOUNDATION=HALF-SPACE\n") + geometry +
                                "\nMASS\n50 40 40 60 0 0 0\nCONSTANTS\n0 0 0\nSOIL\nCONSTANTS=0\nBELOW=100 19.6 0.25 0.05\n"
                                "LOAD\nHARMONIC\nCONSTANTS\nNONQUADRATIC\n0.5 0.1 0.1\n0 0 20\n0 0 0\n0 0 0\nRUN\n");
    ASSERT_EQ(out.status, RunCompleted) << out.report;
    const auto rows = amplitude_records(out.plot);
    ASSERT_EQ(rows.size(), 5u);
    const double g = 19.6 * 100 * 100 / 9.8;
    const double r0 = geometry[0] == 'C' ? 2.0 : std::sqrt(9 / 3.14159);
    const double static_vertical = 20 / (4 * g * r0 / (1 - 0.25));  // rigid disc on a half-space
    for (const auto& row : rows) {
      for (int j : {1, 2, 4, 5, 6}) EXPECT_EQ(row[j], 0.0) << geometry;
      EXPECT_NEAR(row[3], static_vertical, 0.005 * static_vertical) << geometry << " at " << row[0];
    }
  }
}

// The harmonic sweep: a zero step counts as 1, the count is rounded halves away from zero, the
// computation replaces a frequency not above zero by 0.0001 while the tables print it as it is.
TEST(Response, HarmonicSweepFrequencies) {
  struct Case {
    const char* name;
    Real w_max, w_min, step;
    int count;
    Real first, first_shown, last;
  } cases[] = {
      {"two steps", 20, 10, 10, 2, 10, 10, 20},
      {"one frequency", 15, 15, 3, 1, 15, 15, 15},
      {"zero step from zero", 50, 0, 0, 51, 0.0001f, 0, 50},
      {"negative start", 30, -20, 2.5f, 21, 0.0001f, -20, 30},
      {"half a step rounds up", 10.5f, 1, 1, 11, 1, 1, 11},
      {"less than half a step", 10.4f, 1, 1, 10, 1, 1, 10},
  };
  for (const Case& c : cases) {
    HarmonicLoad h;
    h.w_max = c.w_max;
    h.w_min = c.w_min;
    h.w_step = c.step;
    ASSERT_EQ(harmonic_frequency_count(h), c.count) << c.name;
    EXPECT_FLOAT_EQ(harmonic_frequency(h, 1), c.first) << c.name;
    EXPECT_FLOAT_EQ(harmonic_table_frequency(h, 1), c.first_shown) << c.name;
    EXPECT_FLOAT_EQ(harmonic_frequency(h, c.count), c.last) << c.name;
    EXPECT_FLOAT_EQ(harmonic_table_frequency(h, c.count), c.last) << c.name;
  }
  HarmonicLoad h;  // negative start: every frequency up to zero is replaced, the next is not
  h.w_max = 30;
  h.w_min = -20;
  h.w_step = 2.5f;
  EXPECT_FLOAT_EQ(harmonic_frequency(h, 9), 0.0001f);
  EXPECT_FLOAT_EQ(harmonic_table_frequency(h, 9), 0);
  EXPECT_FLOAT_EQ(harmonic_frequency(h, 10), 2.5f);
}

// A damped oscillator on the vertical degree of freedom; the others are held stiff.
struct Oscillator {
  double k = 4.0e4, m = 10.0, zeta = 0.05;
  double wn() const { return std::sqrt(k / m); }
  double c() const { return 2 * zeta * std::sqrt(k * m); }
  Matrix6 dynamic_stiffness(double w) const {
    Matrix6 d;
    for (int i = 1; i <= 6; ++i) d(i, i) = Cplx(1.0e9f, 0.0f);
    d(3, 3) = Cplx(static_cast<float>(k - m * w * w), static_cast<float>(c() * w));
    return d;
  }
};

struct Sink final : MessageSink {
  void line(std::string_view) override {}
};

// Vertical history u(t_n), n = 0..NT-1, of the oscillator under the history p.
std::vector<double> transient_response(const Oscillator& osc, const std::vector<float>& p, float dt) {
  auto in = std::make_unique<InputModel>();
  auto results = std::make_unique<Results>();
  const int nt = static_cast<int>(p.size());
  in->transient.samples = nt;
  in->transient.dt = dt;
  in->transient.given[2] = true;
  for (int n = 0; n < nt; ++n) in->transient.history[2][n] = p[n];
  results->frequencies = nt / 2 + 1;
  transient_load_spectra(*in, *results);
  Sink sink;
  for (int k = 1; k <= results->frequencies; ++k) {
    const double w = k == 1 ? 0.01 : (k - 1) * 2 * M_PI / (nt * dt);
    transient_at_frequency(*results, k, osc.dynamic_stiffness(w), sink);
  }
  testing::CapturedReport report;
  transient_finish(*in, *results, report.report);
  std::vector<double> u(nt);
  for (int n = 0; n < nt; ++n) u[n] = results->spectrum[2][n].real();
  return u;
}

TEST(Response, SlowTransientLoadGivesTheStaticDisplacement) {
  const Oscillator osc;  // natural period 0.1 s
  const int nt = 999;      // odd: no term at half the sampling frequency
  const float dt = 0.01f;  // a 10 s window; the load rises and falls over it, unevenly
  std::vector<float> p(nt);
  for (int n = 0; n < nt; ++n)
    p[n] = static_cast<float>(1500 * std::pow(std::sin(M_PI * n / nt), 2) * n / nt);
  const auto u = transient_response(osc, p, dt);
  for (int n = 0; n < nt; ++n) EXPECT_NEAR(u[n], p[n] / osc.k, 0.01 * 1000 / osc.k) << n;
}

TEST(Response, UnitImpedanceReproducesTheLoadHistory) {
  // With D = I the response spectrum is the load spectrum, and the history comes back exactly,
  // for odd as for even sample counts.
  Matrix6 unit;
  for (int i = 1; i <= 6; ++i) unit(i, i) = Cplx(1.0f, 0.0f);
  for (int nt : {7, 64, 999}) {
    std::vector<float> p(nt);
    for (int n = 0; n < nt; ++n) p[n] = std::sin(0.7f * n) + 0.3f * static_cast<float>(n % 5);
    auto in = std::make_unique<InputModel>();
    auto results = std::make_unique<Results>();
    in->transient.samples = nt;
    in->transient.dt = 0.01f;
    in->transient.given[2] = true;
    for (int n = 0; n < nt; ++n) in->transient.history[2][n] = p[n];
    results->frequencies = nt / 2 + 1;
    transient_load_spectra(*in, *results);
    Sink sink;
    for (int k = 1; k <= results->frequencies; ++k) transient_at_frequency(*results, k, unit, sink);
    testing::CapturedReport report;
    transient_finish(*in, *results, report.report);
    for (int n = 0; n < nt; ++n) EXPECT_NEAR(results->spectrum[2][n].real(), p[n], 1e-4) << nt << " sample " << n;
  }
}

TEST(Response, ImpulseResponseDecaysAtTheOscillatorsDamping) {
  const Oscillator osc;
  const int nt = 1018;
  const float dt = 0.002f;  // 50 samples a period, the record lasts 20 periods
  const double impulse = 1.0;
  // The impulse comes at 0.1 s: nothing moves before it (the load spectrum has the sign of
  // time right), and afterwards the motion is the damped free vibration it starts.
  const int delay = 50;
  std::vector<float> p(nt, 0.0f);
  p[delay] = static_cast<float>(impulse / dt);
  const auto u = transient_response(osc, p, dt);
  const double wd = osc.wn() * std::sqrt(1 - osc.zeta * osc.zeta);
  const double peak = impulse / (osc.m * wd);
  for (int n = 1; n < nt / 2; ++n) {
    const double t = (n - delay) * dt;
    const double exact = t < 0 ? 0.0 : peak * std::exp(-osc.zeta * osc.wn() * t) * std::sin(wd * t);
    EXPECT_NEAR(u[n], exact, 0.03 * peak) << "t = " << t;
  }
}

TEST(Response, WhiteNoiseVarianceOfADampedOscillator) {
  const Oscillator osc{4.0e4, 10.0, 0.1};
  auto in = std::make_unique<InputModel>();
  auto results = std::make_unique<Results>();
  RandomLoad& r = in->random;
  r.w_min = static_cast<float>(0.02 * osc.wn());
  r.w_max = static_cast<float>(6 * osc.wn());
  r.points = 499;
  r.duration = 600;
  const float s0 = 2.0f;
  for (int k = 0; k < r.points; ++k) r.spectrum[2][2][k] = s0;
  results->frequencies = r.points;
  Sink sink;
  const double step = (r.w_max - r.w_min) / (r.points - 1);
  for (int k = 1; k <= r.points; ++k)
    random_at_frequency(*in, *results, k, osc.dynamic_stiffness(r.w_min + (k - 1) * step), sink);
  const double m0 = integrate_samples(&results->density[0][2], 6, r.points, step);
  // sigma^2 = integral of S0 |H|^2 over 0..infinity = pi S0 / (2 k c), less the small part
  // below the lowest frequency where |H| = 1/k.
  const double expected = M_PI * s0 / (2 * osc.k * osc.c()) - s0 * r.w_min / (osc.k * osc.k);
  EXPECT_NEAR(m0, expected, 0.01 * expected);
  for (int k = 0; k < r.points; ++k) EXPECT_EQ(results->density[k][0], 0.0f);
}

TEST(Response, SimpsonWeightsAndShortRules) {
  const Real y[5] = {1, 2, 3, 4, 5};
  EXPECT_DOUBLE_EQ(integrate_samples(y, 1, 5, 1.0), (1 + 8 + 6 + 16 + 5) / 3.0);
  EXPECT_DOUBLE_EQ(integrate_samples(y, 1, 4, 1.0), (1 + 8 + 6 + 4) / 3.0);  // even count: ..., 2, last 1
  EXPECT_DOUBLE_EQ(integrate_samples(y, 1, 2, 0.5), 0.5 / 2 * 3);             // trapezoid
  EXPECT_DOUBLE_EQ(integrate_samples(y, 1, 1, 0.5), 0.5);                     // one rectangle
}

TEST(Response, PeakFactor) {
  EXPECT_EQ(peak_factor(0.0, 600), 0.0f);
  EXPECT_EQ(peak_factor(0.5, 2.0), 0.0f);  // nu T = 1: the logarithm is zero, no peak factor
  const double lambda = 2 * std::log(5.0 * 600);
  EXPECT_NEAR(peak_factor(5.0, 600), std::sqrt(lambda) + 0.5772 / std::sqrt(lambda), 1e-5);
}

TEST(Response, ZeroSpectraGiveZeroPeaks) {
  testing::RunFolder folder;
  const auto out = folder.run(
      "GRAVITY=9.8\nFOUNDATION=HALF-SPACE\nCIRCULAR=2\nMASS\n50 40 40 60 0 0 0\nCONSTANTS\n0 0 0\nSOIL\nCONSTANTS=0\n"
      "BELOW=100 19.6 0.25 0.05\nLOAD\nRANDOM\nCONSTANTS\n60 6 4 600 1\n3 3\n0 0 0 0\nRUN\n");
  ASSERT_EQ(out.status, RunCompleted);
  for (int dof = 1; dof <= 6; ++dof) {
    Record r;
    r.x(17).i(dof, 2).x(12).f(0, 4, 1).x(9).e(0, 14, 4);
    EXPECT_TRUE(testing::contains(out.report, std::string(r.text()))) << dof;
  }
}

}  // namespace
}  // namespace korval::engine
