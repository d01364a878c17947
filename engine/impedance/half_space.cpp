#include "engine/impedance/half_space.hpp"

#include <cmath>

namespace korval::engine {
namespace {

constexpr Real kPi = 3.14159f;

// Coefficients of the frequency functions for one range of Poisson's ratio.
struct Coefficients {
  Real alpha1;               // horizontal damping
  Real beta1, beta2, beta3;  // rocking
  Real gamma1, gamma2, gamma3, gamma4;  // vertical
};

constexpr Coefficients kBelow04{0.65f, 0.5f, 0.8f, 0.0f, 0.35f, 0.8f, 0.0f, 0.75f};
constexpr Coefficients kFrom04{0.6f, 0.4f, 0.8f, 0.027f, 0.0f, 0.0f, 0.17f, 0.85f};

constexpr Real kTau1 = 0.425f;
constexpr Real kTau2 = 0.687f;
constexpr Real kTau12 = 0.291975f;

// Square root of the complex modulus factor: q + i p = sqrt(1 + i D), with s = sqrt(1 + D^2).
struct Loss {
  Real s, p, q;
};

Loss loss(Real damping) {
  const Real s = std::sqrt(1 + damping * damping);
  return {s, std::sqrt((s - 1) / 2), std::sqrt((s + 1) / 2)};
}

// The frequency-dependent part of a mode with a lumped oscillator, b = c2 a:
// stiffness loss c1 b^2 (p b + s) / n and damping gain c12 q a b^2 / n, n = b^2 + 2 p b + s.
struct Oscillator {
  Real stiffness_loss, damping;
};

Oscillator oscillator(Real c1, Real c2, Real c12, Real a, const Loss& l) {
  const Real b = c2 * a;
  const Real n = b * b + 2 * l.p * b + l.s;
  return {c1 * b * b * (l.p * b + l.s) / n, c12 * l.q * a * b * b / n};
}

Cplx rocking(const Coefficients& c, Real a, Real nu, Real damping, const Loss& l) {
  const Oscillator o = oscillator(c.beta1, c.beta2, c.beta1 * c.beta2, a, l);
  const Real scale = 8 / (3 * (1 - nu));
  return {scale * (1 - o.stiffness_loss - c.beta3 * a * a), scale * (o.damping + damping)};
}

}  // namespace

EquivalentRadii circular_radii(Real radius) { return {radius, radius, radius, radius}; }

EquivalentRadii rectangular_radii(Real lx, Real ly) {
  const Real area = lx * ly;
  return {std::sqrt(area / kPi), std::pow(lx * ly * ly * ly / (3 * kPi), 0.25f),
          std::pow(lx * lx * lx * ly / (3 * kPi), 0.25f),
          std::pow(area * (lx * lx + ly * ly) / (6 * kPi), 0.25f)};
}

Real mean_radius(const EquivalentRadii& r) { return (r.r0 + r.r0 + r.rx + r.ry + r.rt) / 5; }

Real shear_modulus(Real unit_weight, Real vs, Real g) { return unit_weight * vs * vs / g; }

HalfSpaceFunctions half_space_functions(Real a0, Real nu, Real damping, const EquivalentRadii& r) {
  const Coefficients& c = nu < 0.4f ? kBelow04 : kFrom04;
  const Loss l = loss(damping);
  HalfSpaceFunctions f;

  const Real horizontal = 8 / (2 - nu);
  f.h = {horizontal * (1 - c.alpha1 * l.p * a0), horizontal * (c.alpha1 * l.q * a0 + damping)};

  const Oscillator v = oscillator(c.gamma1, c.gamma2, c.gamma1 * c.gamma2, a0, l);
  const Real vertical = 4 / (1 - nu);
  f.v = {vertical * (1 - v.stiffness_loss - c.gamma4 * l.p * a0 - c.gamma3 * a0 * a0),
         vertical * (c.gamma4 * l.q * a0 + v.damping + damping)};

  f.psi_x = rocking(c, a0 * r.rx / r.r0, nu, damping, l);
  f.psi_y = rocking(c, a0 * r.ry / r.r0, nu, damping, l);

  const Oscillator t = oscillator(kTau1, kTau2, kTau12, a0 * r.rt / r.r0, l);
  const Real torsion = 16.0f / 3.0f;
  f.t = {torsion * (1 - t.stiffness_loss), torsion * (t.damping + damping)};
  return f;
}

Matrix6 half_space_base_matrix(const HalfSpaceFunctions& f, Real shear, const EquivalentRadii& r) {
  Matrix6 k;
  k(1, 1) = shear * r.r0 * f.h;
  k(2, 2) = k(1, 1);
  k(3, 3) = shear * r.r0 * f.v;
  k(4, 4) = shear * (r.rx * r.rx * r.rx) * f.psi_x;
  k(5, 5) = shear * (r.ry * r.ry * r.ry) * f.psi_y;
  k(6, 6) = shear * (r.rt * r.rt * r.rt) * f.t;
  return k;
}

}  // namespace korval::engine
