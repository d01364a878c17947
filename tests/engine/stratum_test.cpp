// Stratum impedances: the deep-layer limit, hand-computed embedment and depth factors, and
// the frequency factors on both sides of the layer's cut-off frequencies.
#include "engine/impedance/stratum.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace korval::engine;

constexpr Real kTwoPi = 2 * 3.14159f;

// A layer so deep against the footing that it acts as a half-space: at zero frequency, with
// no embedment, the stiffnesses are those of a rigid disc on an elastic half-space.
TEST(Stratum, DeepLayerWithoutEmbedmentIsTheRigidDisc) {
  const double R = 2, G = 18.0 * 150.0 * 150.0 / 9.8;
  for (double nu : {0.25, 0.45})
    for (Real omega : {0.0f, 1e-3f}) {
      SCOPED_TRACE("nu " + std::to_string(nu) + ", omega " + std::to_string(omega));
      const StratumImpedances s =
          stratum_impedances(omega, 0, 2e6f, static_cast<Real>(nu), 0, 18, 150, 9.8f, circular_radii(2));
      const double horizontal = 8 * G * R / (2 - nu);
      const double rocking = 8 * G * R * R * R / (3 * (1 - nu));
      EXPECT_NEAR(s.horizontal.real(), horizontal, 1e-5 * horizontal);
      EXPECT_NEAR(s.vertical.real(), 4 * G * R / (1 - nu), 1e-5 * 4 * G * R / (1 - nu));
      EXPECT_NEAR(s.rocking_x.real(), rocking, 1e-5 * rocking);
      EXPECT_EQ(s.rocking_y, s.rocking_x);
      EXPECT_NEAR(s.torsion.real(), 16 * G * R * R * R / 3, 1e-5 * 16 * G * R * R * R / 3);
      // A surface footing keeps a small coupling of translation and rocking.
      EXPECT_NEAR(s.coupling_y_rx.real(), -0.03 * R * horizontal, 1e-5 * 0.03 * R * horizontal);
      EXPECT_NEAR(s.coupling_x_ry.real(), 0.03 * R * horizontal, 1e-5 * 0.03 * R * horizontal);
      if (omega == 0) {
        for (Cplx c : {s.horizontal, s.vertical, s.coupling_y_rx, s.coupling_x_ry, s.rocking_x, s.rocking_y, s.torsion})
          EXPECT_EQ(c.imag(), 0) << "no damping at rest without material damping";
      }
    }
}

// r0 = 1, rx = 0.8, ry = 1.25, rt = 1.1, E = 0.5, H = 2, nu = 1/3, G = 19.6 * 10^2 / 9.8 = 200.
TEST(Stratum, EmbedmentAndDepthFactorsByHand) {
  const EquivalentRadii r{1, 0.8f, 1.25f, 1.1f};
  const StratumImpedances s = stratum_impedances(0, 0.5f, 2, 1.0f / 3, 0, 19.6f, 10, 9.8f, r);
  // 8 G r0/(2 - nu) = 960; depth 1 + 1/4, embedment 1 + 1/3, 1 + 1.25/4.
  EXPECT_NEAR(s.horizontal.real(), 2100.0, 2100.0 * 1e-5);
  // 4 G r0/(1 - nu) = 1200; depth 1 + 0.64; embedment 1 + 0.235; 1 + (0.85 - 0.14) (1/4)/(3/4).
  EXPECT_NEAR(s.vertical.real(), 3005.6936, 3005.6936 * 1e-5);
  // 8 G rx^3/(3 (1 - nu)) = 409.6; depth 1 + 0.8/12; embedment 1 + 1/0.8; 1 + 0.7/4.
  EXPECT_NEAR(s.rocking_x.real(), 1155.072, 1155.072 * 1e-5);
  // 8 G ry^3/(3 (1 - nu)) = 1562.5; 1 + 1.25/12; 1 + 0.8; 1.175.
  EXPECT_NEAR(s.rocking_y.real(), 3648.9258, 3648.9258 * 1e-5);
  // 16 G rt^3/3 = 7099.7333; 1 + 2.67 * 0.5/1.1.
  EXPECT_NEAR(s.torsion.real(), 3142.7733, 3142.7733 * 1e-5);
  // (0.4 E - 0.03 rx) Kh and -(0.4 E - 0.03 ry) Kh.
  EXPECT_NEAR(s.coupling_y_rx.real(), 369.6, 369.6 * 1e-5);
  EXPECT_NEAR(s.coupling_x_ry.real(), -341.25, 341.25 * 1e-5);

  const Matrix6 k = stratum_base_matrix(s);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) {
      Cplx expected{};
      if (i == j) expected = i <= 2 ? s.horizontal : i == 3 ? s.vertical : i == 4 ? s.rocking_x : i == 5 ? s.rocking_y : s.torsion;
      if ((i == 2 && j == 4) || (i == 4 && j == 2)) expected = s.coupling_y_rx;
      if ((i == 1 && j == 5) || (i == 5 && j == 1)) expected = s.coupling_x_ry;
      EXPECT_EQ(k(i, j), expected) << i << "," << j;
    }
}

// Frequency factor of an impedance: its value at omega over its static value with the same
// material damping, kf + i c a.
Cplx factor(Cplx StratumImpedances::*m, Real omega, Real H, Real nu, Real D, Real vs) {
  const EquivalentRadii r = circular_radii(1);
  return stratum_impedances(omega, 0, H, nu, D, 20, vs, 10, r).*m / stratum_impedances(0, 0, H, nu, D, 20, vs, 10, r).*m;
}

// A layer over rigid rock radiates no energy below its fundamental frequencies: the damping
// factors are then those of the resonant layer, and vanish without material damping; above,
// the radiation coefficients of a half-space take over.
TEST(Stratum, DampingFactorsChangeAtTheLayerCutOffFrequencies) {
  struct Case {
    const char* name;
    Cplx StratumImpedances::*m;
    Real frequency_hz, H, nu, D;
    double c;  // expected damping factor c of kf + i c a, a = omega r / Vs with r = 1, Vs = 4
  };
  // Vs = 4: H = 1 gives the shear cut-off fs = 1 Hz; nu = 0.4375 gives Vp = 3 Vs, and H = 3
  // puts the compression cut-off fp at 1 Hz (fs = 1/3 Hz).
  const Case cases[] = {
      {"horizontal below fs, no damping", &StratumImpedances::horizontal, 0.9f, 1, 0.3f, 0, 0},
      {"horizontal at fs, no damping", &StratumImpedances::horizontal, 1, 1, 0.3f, 0, 0},
      {"horizontal at fs", &StratumImpedances::horizontal, 1, 1, 0.3f, 0.25f, 0.65 * 0.125 / 0.25},
      {"horizontal below fs", &StratumImpedances::horizontal, 0.5f, 1, 0.3f, 0.25f, 0.65 * 0.125 * 0.5 / (1 - 0.75 * 0.25)},
      {"horizontal above fs", &StratumImpedances::horizontal, 1.01f, 1, 0.3f, 0.25f, 0.6},
      {"vertical below fp", &StratumImpedances::vertical, 0.5f, 3, 0.4375f, 0.25f, 1.34 * 0.5 * 0.125 * 0.5 / (1 - 0.75 * 0.25)},
      {"vertical at fp", &StratumImpedances::vertical, 1, 3, 0.4375f, 0.25f, 1.34 * 0.5 * 0.125 / 0.25},
      {"vertical above fp", &StratumImpedances::vertical, 1.01f, 3, 0.4375f, 0.25f, 0.85},
      {"rocking at fp", &StratumImpedances::rocking_x, 1, 3, 0.4375f, 0.25f, 0.5 * 0.125 / 0.25},
      {"rocking below fp, no damping", &StratumImpedances::rocking_y, 0.99f, 3, 0.4375f, 0, 0},
      {"torsion at fs", &StratumImpedances::torsion, 1, 1, 0.3f, 0.25f, 3.0 / 13 * 0.65 * 0.125 / 0.25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Real omega = kTwoPi * c.frequency_hz;
    const Cplx f = factor(c.m, omega, c.H, c.nu, c.D, 4);
    ASSERT_TRUE(std::isfinite(f.real()) && std::isfinite(f.imag()));
    EXPECT_NEAR(f.imag() / (omega / 4), c.c, 1e-5);
  }
  // Above the cut-offs the rocking and torsion coefficients follow 0.3 a^2/(1 + a^2) and
  // 0.3 a^2/(2 + a^2).
  const Real omega = kTwoPi * 2;
  const double a = omega / 4.0;
  EXPECT_NEAR(factor(&StratumImpedances::rocking_x, omega, 3, 0.4375f, 0, 4).imag() / a, 0.3 * a * a / (1 + a * a), 1e-5);
  EXPECT_NEAR(factor(&StratumImpedances::torsion, omega, 3, 0.4375f, 0, 4).imag() / a, 0.3 * a * a / (2 + a * a), 1e-5);
}

TEST(Stratum, StiffnessFactorsOfRockingAndTorsion) {
  struct Case {
    const char* name;
    Cplx StratumImpedances::*m;
    Real a, nu;
    double k;
  };
  // With Vs = 1 and radius 1, a = omega; without material damping the real part of the
  // frequency factor is the stiffness factor alone.
  const Case cases[] = {
      {"rocking below 2.5", &StratumImpedances::rocking_x, 2.4f, 0.3f, 1 - 0.2 * 2.4},
      {"rocking from 2.5", &StratumImpedances::rocking_x, 2.5f, 0.3f, 0.5},
      {"rocking at nu 0.45", &StratumImpedances::rocking_y, 3.5f, 0.45f, 1 - 0.2 * 3.5},
      {"rocking just below nu 0.45", &StratumImpedances::rocking_y, 3.5f, std::nextafter(0.45f, 0.0f), 0.5},
      {"torsion below 3", &StratumImpedances::torsion, 2.9f, 0.3f, 1 - 0.133 * 2.9},
      {"torsion from 3", &StratumImpedances::torsion, 3, 0.3f, 0.6},
      {"horizontal has none", &StratumImpedances::horizontal, 3, 0.3f, 1},
      {"vertical has none", &StratumImpedances::vertical, 3, 0.3f, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(factor(c.m, c.a, 10, c.nu, 0, 1).real(), c.k, 1e-5);
  }
}

}  // namespace
