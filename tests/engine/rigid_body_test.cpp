// The rigid-body algebra against the statics and kinematics of a rigid body: base forces
// moved to the centre of gravity, inertia forces of point masses.
#include "engine/response/rigid_body.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>

namespace {

using namespace korval::engine;
using Z = std::complex<double>;
using Vec6 = std::array<Z, 6>;

Matrix6 general_matrix() {
  Matrix6 k;
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j)
      k(i, j) = Cplx(100.0f * i + 7.0f * j + (i == j ? 900.0f : 0.0f), 3.0f * i - 11.0f * j);
  return k;
}

Vec6 multiply(const Matrix6& k, const Vec6& u) {
  Vec6 f{};
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) f[i - 1] += Z(k(i, j)) * u[j - 1];
  return f;
}

std::array<Z, 3> cross(const std::array<Z, 3>& a, const std::array<Z, 3>& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

const Vec6 kMotion{Z(0.3, -0.1), Z(-0.7, 0.2), Z(0.5, 0.4), Z(0.02, -0.01), Z(-0.03, 0.05), Z(0.04, 0.02)};

void expect_near(const Vec6& actual, const Vec6& expected, double tol) {
  for (int i = 0; i < 6; ++i) EXPECT_LT(std::abs(actual[i] - expected[i]), tol * (1 + std::abs(expected[i]))) << "row " << i + 1;
}

TEST(RigidBody, CentreOfGravityAtTheBaseCentreKeepsTheBaseMatrix) {
  const Matrix6 kb = general_matrix();
  const Matrix6 k = transfer_to_centre_of_gravity(kb, 0, 0, 0);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) EXPECT_EQ(k(i, j), kb(i, j)) << i << "," << j;
}

// For any rigid motion of the body the base centre moves by u + theta x r, r = (-X, -Y, -H)
// from the centre of gravity; the base reaction K_b u_base, moved to the centre of gravity,
// keeps its force and adds the moment r x F.
TEST(RigidBody, TransferMovesTheBaseReactionsToTheCentreOfGravity) {
  const double X = 1.5, Y = -0.75, H = 2.25;
  const Matrix6 kb = general_matrix();
  const Matrix6 k = transfer_to_centre_of_gravity(kb, 1.5f, -0.75f, 2.25f);

  const std::array<Z, 3> r{-X, -Y, -H};
  const std::array<Z, 3> theta{kMotion[3], kMotion[4], kMotion[5]};
  const std::array<Z, 3> lever = cross(theta, r);
  Vec6 base_motion = kMotion;
  for (int i = 0; i < 3; ++i) base_motion[i] += lever[i];
  const Vec6 base_force = multiply(kb, base_motion);
  const std::array<Z, 3> moment = cross(r, {base_force[0], base_force[1], base_force[2]});
  Vec6 expected = base_force;
  for (int i = 0; i < 3; ++i) expected[3 + i] += moment[i];

  expect_near(multiply(k, kMotion), expected, 1e-5);
}

TEST(RigidBody, HeightAloneCouplesTheHorizontalTranslationsWithRocking) {
  Matrix6 kb;
  const Cplx kh(5e5f, 2e4f);
  kb(1, 1) = kb(2, 2) = kh;
  kb(3, 3) = Cplx(7e5f, 3e4f);
  kb(4, 4) = Cplx(2e6f, 1e4f);
  kb(5, 5) = Cplx(2.5e6f, 1.5e4f);
  kb(6, 6) = Cplx(3e6f, 2e4f);
  const Real H = 1.5f;
  Matrix6 k = transfer_to_centre_of_gravity(kb, 0, 0, H);

  EXPECT_EQ(k(1, 5), -H * kh);
  EXPECT_EQ(k(5, 1), -H * kh);
  EXPECT_EQ(k(2, 4), H * kh);
  EXPECT_EQ(k(4, 2), H * kh);
  EXPECT_EQ(k(5, 5), kb(5, 5) + H * H * kh);
  EXPECT_EQ(k(4, 4), kb(4, 4) + H * H * kh);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) {
      const bool coupled = (i == 1 || i == 5) && (j == 1 || j == 5);
      const bool coupled_y = (i == 2 || i == 4) && (j == 2 || j == 4);
      if (!coupled && !coupled_y) {
        EXPECT_EQ(k(i, j), kb(i, j)) << i << "," << j;
      }
    }

  reduce_damping(k);
  EXPECT_EQ(k(5, 1), Cplx(-H * kh.real(), -H * kh.imag() * 0.7f));
  EXPECT_EQ(k(1, 5), -H * kh) << "K(1,5) keeps its damping";
  EXPECT_EQ(k(2, 4), Cplx(H * kh.real(), H * kh.imag() * 0.7f));
  EXPECT_EQ(k(4, 2), H * kh) << "K(4,2) keeps its damping";
}

TEST(RigidBody, CongruenceKeepsASymmetricMatrixSymmetric) {
  Matrix6 kb = general_matrix();
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j < i; ++j) kb(j, i) = kb(i, j);
  const Matrix6 k = transfer_to_centre_of_gravity(kb, 0.8f, 1.1f, 3.2f);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j < i; ++j) EXPECT_LE(std::abs(k(i, j) - k(j, i)), 1e-6f * std::abs(k(i, i))) << i << "," << j;
}

TEST(RigidBody, DampingReductionTouchesOnlyItsEightEntries) {
  Matrix6 k = general_matrix();
  const Matrix6 before = k;
  reduce_damping(k);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) {
      const bool reduced = i == j || (i == 2 && j == 4) || (i == 5 && j == 1);
      EXPECT_EQ(k(i, j).real(), before(i, j).real());
      EXPECT_EQ(k(i, j).imag(), reduced ? before(i, j).imag() * 0.7f : before(i, j).imag()) << i << "," << j;
    }
}

TEST(RigidBody, StiffnessAndDampingConstants) {
  Matrix6 k = general_matrix();
  k(4, 4).imag(-8);  // negative damping parts: CPPX and CPPY are their absolute values,
  k(5, 5).imag(12);
  k(2, 4) = Cplx(-40, -6);  // the couplings keep their sign
  k(5, 1) = Cplx(30, -2);
  const StiffnessConstants c = stiffness_constants(k, 4);
  EXPECT_EQ(c.KXX, k(1, 1).real());
  EXPECT_EQ(c.KYY, k(2, 2).real());
  EXPECT_EQ(c.KWW, k(3, 3).real());
  EXPECT_EQ(c.KPPX, k(4, 4).real());
  EXPECT_EQ(c.KPPY, k(5, 5).real());
  EXPECT_EQ(c.KZT, k(6, 6).real());
  EXPECT_EQ(c.KXP, -40);
  EXPECT_EQ(c.KYP, 30);
  EXPECT_EQ(c.CXX, k(1, 1).imag() / 4);
  EXPECT_EQ(c.CYY, k(2, 2).imag() / 4);
  EXPECT_EQ(c.CWW, k(3, 3).imag() / 4);
  EXPECT_EQ(c.CPPX, 2);
  EXPECT_EQ(c.CPPY, 3);
  EXPECT_EQ(c.CZT, k(6, 6).imag() / 4);
  EXPECT_EQ(c.CXP, -1.5f);
  EXPECT_EQ(c.CYP, -0.5f);
}

// Point masses around their centre of gravity: in a harmonic rigid motion each mass m at r
// carries the inertia force -omega^2 m (t + theta x r), whose resultant and moment the mass
// matrix must reproduce, products of inertia included.
TEST(RigidBody, DynamicStiffnessSubtractsTheInertiaOfTheRigidBody) {
  struct Point {
    double m, x, y, z;
  };
  const Point points[] = {{2, 1, 0.5, -0.25}, {2, -1, -0.5, 0.25}, {1, 0.5, -1, 1}, {1, -0.5, 1, -1}, {3, 0.2, 0.3, 0.6},
                          {3, -0.2, -0.3, -0.6}};
  MassProperties mass{};
  double ix = 0, iy = 0, iz = 0, ixy = 0, ixz = 0, iyz = 0, total = 0;
  for (const Point& p : points) {
    total += p.m;
    ix += p.m * (p.y * p.y + p.z * p.z);
    iy += p.m * (p.x * p.x + p.z * p.z);
    iz += p.m * (p.x * p.x + p.y * p.y);
    ixy += p.m * p.x * p.y;
    ixz += p.m * p.x * p.z;
    iyz += p.m * p.y * p.z;
  }
  mass = {static_cast<Real>(total), static_cast<Real>(ix), static_cast<Real>(iy), static_cast<Real>(iz),
          static_cast<Real>(ixy), static_cast<Real>(ixz), static_cast<Real>(iyz)};
  ASSERT_NE(mass.IXY, 0);
  ASSERT_NE(mass.IXZ, 0);
  ASSERT_NE(mass.IYZ, 0);

  const double omega = 3;
  const Matrix6 k = general_matrix();
  const Matrix6 d = dynamic_stiffness(k, mass, 3);

  Vec6 expected = multiply(k, kMotion);
  const std::array<Z, 3> t{kMotion[0], kMotion[1], kMotion[2]};
  const std::array<Z, 3> theta{kMotion[3], kMotion[4], kMotion[5]};
  for (const Point& p : points) {
    const std::array<Z, 3> r{p.x, p.y, p.z};
    const std::array<Z, 3> turn = cross(theta, r);
    std::array<Z, 3> force;
    for (int i = 0; i < 3; ++i) force[i] = -omega * omega * p.m * (t[i] + turn[i]);
    const std::array<Z, 3> moment = cross(r, force);
    for (int i = 0; i < 3; ++i) {
      expected[i] += force[i];
      expected[3 + i] += moment[i];
    }
  }
  expect_near(multiply(d, kMotion), expected, 1e-5);
}

}  // namespace
