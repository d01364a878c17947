#include "engine/response/rigid_body.hpp"

#include <cmath>

namespace korval::engine {

Matrix6 transfer_to_centre_of_gravity(const Matrix6& kb, Real x, Real y, Real h) {
  Real t[6][6] = {};  // t[row - 1][column - 1]
  for (int i = 0; i < 6; ++i) t[i][i] = 1;
  t[0][4] = -h;
  t[0][5] = y;
  t[1][3] = h;
  t[1][5] = -x;
  t[2][3] = -y;
  t[2][4] = x;

  Matrix6 kt;  // Kb T
  for (int j = 1; j <= 6; ++j)
    for (int i = 1; i <= 6; ++i) {
      Cplx s{};
      for (int l = 1; l <= 6; ++l) s += kb(i, l) * t[l - 1][j - 1];
      kt(i, j) = s;
    }
  Matrix6 k;  // T^T (Kb T)
  for (int j = 1; j <= 6; ++j)
    for (int i = 1; i <= 6; ++i) {
      Cplx s{};
      for (int l = 1; l <= 6; ++l) s += t[l - 1][i - 1] * kt(l, j);
      k(i, j) = s;
    }
  return k;
}

void reduce_damping(Matrix6& k) {
  static constexpr int kEntries[8][2] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {2, 4}, {5, 1}};
  for (const auto& e : kEntries) {
    Cplx& c = k(e[0], e[1]);
    c.imag(c.imag() * 0.7f);
  }
}

StiffnessConstants stiffness_constants(const Matrix6& k, Real omega) {
  StiffnessConstants c;
  c.KXX = k(1, 1).real();
  c.KYY = k(2, 2).real();
  c.KWW = k(3, 3).real();
  c.KPPX = k(4, 4).real();
  c.KPPY = k(5, 5).real();
  c.KZT = k(6, 6).real();
  c.KXP = k(2, 4).real();
  c.KYP = k(5, 1).real();
  c.CXX = k(1, 1).imag() / omega;
  c.CYY = k(2, 2).imag() / omega;
  c.CWW = k(3, 3).imag() / omega;
  c.CPPX = std::fabs(k(4, 4).imag() / omega);
  c.CPPY = std::fabs(k(5, 5).imag() / omega);
  c.CZT = k(6, 6).imag() / omega;
  c.CXP = k(2, 4).imag() / omega;
  c.CYP = k(5, 1).imag() / omega;
  return c;
}

Matrix6 dynamic_stiffness(const Matrix6& k, const MassProperties& mass, Real omega) {
  const Real w2 = omega * omega;
  Matrix6 d = k;
  d(1, 1) -= w2 * mass.M;
  d(2, 2) -= w2 * mass.M;
  d(3, 3) -= w2 * mass.M;
  d(4, 4) -= w2 * mass.IX;
  d(5, 5) -= w2 * mass.IY;
  d(6, 6) -= w2 * mass.IZ;
  d(4, 5) += w2 * mass.IXY;
  d(5, 4) += w2 * mass.IXY;
  d(4, 6) += w2 * mass.IXZ;
  d(6, 4) += w2 * mass.IXZ;
  d(5, 6) += w2 * mass.IYZ;
  d(6, 5) += w2 * mass.IYZ;
  return d;
}

}  // namespace korval::engine
