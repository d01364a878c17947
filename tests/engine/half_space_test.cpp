// Half-space impedances against the elastic solutions of a rigid disc and the rules of
// viscoelastic damping; equivalent radii against the section properties they stand for.
#include "engine/impedance/half_space.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>

namespace {

using namespace korval::engine;
using Z = std::complex<double>;

constexpr double kPi = 3.14159265358979323846;

// Unit weight, shear wave velocity and gravity of a medium-dense sand in English units.
constexpr Real kUnitWeight = 120, kVs = 800, kGravity = 32.2f;

TEST(HalfSpace, StaticLimitIsTheRigidDiscOnAnElasticHalfSpace) {
  const double R = 1.7;
  const double G = 120.0 * 800.0 * 800.0 / 32.2;
  const EquivalentRadii radii = circular_radii(1.7f);
  const Real modulus = shear_modulus(kUnitWeight, kVs, kGravity);
  EXPECT_NEAR(modulus, G, 1e-6 * G);
  for (double nu : {0.0, 0.25, 0.39, 0.4, 0.45, 0.5})
    for (Real a0 : {0.0f, 1e-4f}) {
      SCOPED_TRACE("nu " + std::to_string(nu) + ", a0 " + std::to_string(a0));
      const Matrix6 k = half_space_base_matrix(half_space_functions(a0, static_cast<Real>(nu), 0, radii), modulus, radii);
      const double tol = a0 == 0 ? 1e-6 : 1e-3;
      const double horizontal = 8 * G * R / (2 - nu);
      const double vertical = 4 * G * R / (1 - nu);
      const double rocking = 8 * G * R * R * R / (3 * (1 - nu));
      const double torsion = 16 * G * R * R * R / 3;
      EXPECT_NEAR(k(1, 1).real(), horizontal, tol * horizontal);
      EXPECT_EQ(k(2, 2), k(1, 1));
      EXPECT_NEAR(k(3, 3).real(), vertical, tol * vertical);
      EXPECT_NEAR(k(4, 4).real(), rocking, tol * rocking);
      EXPECT_NEAR(k(5, 5).real(), rocking, tol * rocking);
      EXPECT_NEAR(k(6, 6).real(), torsion, tol * torsion);
      for (int i = 1; i <= 6; ++i) {
        EXPECT_NEAR(k(i, i).imag(), 0, tol * k(i, i).real());
        for (int j = 1; j <= 6; ++j)
          if (i != j) {
            EXPECT_EQ(k(i, j), Cplx{}) << i << "," << j;
          }
      }
    }
}

// The stiffness and dashpot of a Kelvin-Voigt medium become those of the complex shear
// modulus G (1 + iD): at zero frequency the impedance is the static one times (1 + iD),
// and a dashpot term i c a0, proportional to sqrt(G) through the wave velocity, is scaled
// by sqrt(1 + iD).
TEST(HalfSpace, MaterialDampingActsThroughTheComplexShearModulus) {
  const EquivalentRadii radii = circular_radii(1);
  for (Real nu : {0.3f, 0.45f})
    for (Real D : {0.05f, 0.2f}) {
      SCOPED_TRACE("nu " + std::to_string(nu) + ", D " + std::to_string(D));
      const HalfSpaceFunctions elastic = half_space_functions(0, nu, 0, radii);
      const HalfSpaceFunctions damped = half_space_functions(0, nu, D, radii);
      const Cplx loss(1, D);
      for (auto m : {&HalfSpaceFunctions::h, &HalfSpaceFunctions::v, &HalfSpaceFunctions::psi_x,
                     &HalfSpaceFunctions::psi_y, &HalfSpaceFunctions::t})
        EXPECT_NEAR(std::abs(damped.*m - elastic.*m * loss), 0, 1e-6 * std::abs(elastic.*m));

      const Z root = std::sqrt(Z(1, D));
      const Real a0 = 1e-3f;
      const HalfSpaceFunctions elastic_a = half_space_functions(a0, nu, 0, radii);
      const HalfSpaceFunctions damped_a = half_space_functions(a0, nu, D, radii);
      for (auto m : {&HalfSpaceFunctions::h, &HalfSpaceFunctions::v}) {
        const Z dashpot_elastic = (Z(elastic_a.*m) - Z(elastic.*m)) / double(a0);
        const Z dashpot_damped = (Z(damped_a.*m) - Z(damped.*m)) / double(a0);
        EXPECT_NEAR(std::abs(dashpot_damped / dashpot_elastic - root), 0, 5e-3);
      }
    }
}

TEST(HalfSpace, RadiationDampingIsPositiveAndGrowsWithFrequency) {
  const EquivalentRadii radii = rectangular_radii(3, 5);
  for (Real nu : {0.25f, 0.45f})
    for (Real D : {0.0f, 0.05f}) {
      SCOPED_TRACE("nu " + std::to_string(nu) + ", D " + std::to_string(D));
      HalfSpaceFunctions previous = half_space_functions(0, nu, D, radii);
      for (int step = 1; step <= 40; ++step) {
        const HalfSpaceFunctions f = half_space_functions(0.05f * step, nu, D, radii);
        for (auto m : {&HalfSpaceFunctions::h, &HalfSpaceFunctions::v, &HalfSpaceFunctions::psi_x,
                       &HalfSpaceFunctions::psi_y, &HalfSpaceFunctions::t}) {
          EXPECT_GT((f.*m).imag(), 0) << "a0 " << 0.05 * step;
          EXPECT_GT((f.*m).imag(), (previous.*m).imag()) << "a0 " << 0.05 * step;
        }
        previous = f;
      }
    }
}

TEST(HalfSpace, CoefficientSetChangesAtPoissonsRatio04) {
  const EquivalentRadii radii = circular_radii(1);
  // Horizontal dashpot Im h / a0 = 8 alpha1 / (2 - nu): alpha1 0.65 below 0.4, 0.6 from 0.4 on.
  const Real below = std::nextafter(0.4f, 0.0f);
  EXPECT_NEAR(half_space_functions(1, below, 0, radii).h.imag(), 8 * 0.65 / (2 - 0.4), 1e-5);
  EXPECT_NEAR(half_space_functions(1, 0.4f, 0, radii).h.imag(), 8 * 0.6 / (2 - 0.4), 1e-5);
}

TEST(HalfSpace, CircularAndSquareFootingsRockAlikeAboutBothAxes) {
  for (const EquivalentRadii& radii : {circular_radii(2.5f), rectangular_radii(4, 4)}) {
    const HalfSpaceFunctions f = half_space_functions(1.3f, 0.33f, 0.05f, radii);
    EXPECT_EQ(f.psi_x, f.psi_y);
    const Matrix6 k = half_space_base_matrix(f, 1e5f, radii);
    EXPECT_EQ(k(4, 4), k(5, 5));
  }
  // A footing long in y resists rocking about x more than about y.
  const EquivalentRadii long_in_y = rectangular_radii(2, 6);
  const Matrix6 k = half_space_base_matrix(half_space_functions(0.5f, 0.33f, 0.05f, long_in_y), 1e5f, long_in_y);
  EXPECT_GT(k(4, 4).real(), k(5, 5).real());
}

// The equivalent circles keep the area, the second moments of area about x and y and the
// polar moment of the rectangle.
TEST(HalfSpace, EquivalentRadiiKeepTheSectionProperties) {
  const double a = 2, b = 5;
  const EquivalentRadii r = rectangular_radii(2, 5);
  const auto rel = [](double x, double y) { return std::abs(x - y) / y; };
  EXPECT_LT(rel(kPi * r.r0 * r.r0, a * b), 2e-6);
  EXPECT_LT(rel(kPi * std::pow(r.rx, 4) / 4, a * b * b * b / 12), 4e-6);
  EXPECT_LT(rel(kPi * std::pow(r.ry, 4) / 4, a * a * a * b / 12), 4e-6);
  EXPECT_LT(rel(kPi * std::pow(r.rt, 4) / 2, a * b * (a * a + b * b) / 12), 4e-6);

  const EquivalentRadii c = circular_radii(3);
  EXPECT_EQ(c.r0, 3);
  EXPECT_EQ(c.rx, 3);
  EXPECT_EQ(c.ry, 3);
  EXPECT_EQ(c.rt, 3);
  EXPECT_FLOAT_EQ(mean_radius(EquivalentRadii{1, 2, 3, 4}), 11.0f / 5);
}

}  // namespace
