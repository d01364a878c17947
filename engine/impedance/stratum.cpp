#include "engine/impedance/stratum.hpp"

#include <cmath>

namespace korval::engine {
namespace {

constexpr Real kPi = 3.14159f;

// Damping factor below a cut-off frequency: c (D/2) F / (1 - (1 - D) F^2) at frequency ratio
// F <= 1. Without material damping it vanishes, also at the cut-off itself, where the
// quotient would be 0/0.
Real damping_below_cutoff(Real c, Real damping, Real ratio) {
  const Real numerator = c * (damping / 2) * ratio;
  if (numerator == 0) return 0;
  return numerator / (1 - (1 - damping) * ratio * ratio);
}

// Stiffness factor of a rocking mode at its dimensionless frequency a.
Real rocking_stiffness_factor(Real a, Real nu) { return a < 2.5f || nu >= 0.45f ? 1 - 0.2f * a : 0.5f; }

}  // namespace

StratumImpedances stratum_impedances(Real omega, Real embedment, Real depth, Real nu, Real damping,
                                     Real unit_weight, Real vs, Real g, const EquivalentRadii& r) {
  const Real G = shear_modulus(unit_weight, vs, g);
  const Real E = embedment;
  const Real H = depth;

  // Frequency ratios to the layer's fundamental shear and compression frequencies.
  const Real f = omega / (2 * kPi);
  const Real vp = vs * std::sqrt(2 * (1 - nu) / (1 - 2 * nu));
  const Real shear_ratio = f / (vs / (4 * H));
  const Real compression_ratio = f / (vp / (4 * H));
  const Real a0 = omega * r.r0 / vs;
  const Real ax = omega * r.rx / vs;
  const Real ay = omega * r.ry / vs;
  const Real at = omega * r.rt / vs;

  // Static stiffnesses.
  const Real Kh = 8 * G * r.r0 / (2 - nu) * (1 + r.r0 / (2 * H)) * (1 + 2 * E / (3 * r.r0)) * (1 + 1.25f * E / H);
  const Real Kv = 4 * G * r.r0 / (1 - nu) * (1 + 1.28f * r.r0 / H) * (1 + 0.47f * E / r.r0) *
                  (1 + (0.85f - 0.28f * E / r.r0) * (E / H) / (1 - E / H));
  const auto rocking = [&](Real radius) {
    return 8 * G * radius * radius * radius / (3 * (1 - nu)) * (1 + radius / (6 * H)) * (1 + 2 * E / radius) *
           (1 + 0.7f * E / H);
  };
  const Real Krx = rocking(r.rx);
  const Real Kry = rocking(r.ry);
  const Real Kt = 16 * G * r.rt * r.rt * r.rt / 3 * (1 + 2.67f * E / r.rt);
  const Real Khx = (0.4f * E - 0.03f * r.rx) * Kh;
  const Real Khy = (0.4f * E - 0.03f * r.ry) * Kh;

  // Damping factors.
  Real ch, ct;
  if (shear_ratio <= 1) {
    ch = damping_below_cutoff(0.65f, damping, shear_ratio);
    ct = (3.0f / 13.0f) * ch;
  } else {
    ch = 0.6f;
    ct = 0.3f * at * at / (2 + at * at);
  }
  Real cv, cx, cy;
  if (compression_ratio <= 1) {
    cx = cy = damping_below_cutoff(0.5f, damping, compression_ratio);
    cv = 1.34f * cx;
  } else {
    cv = 0.85f;
    cx = 0.3f * ax * ax / (1 + ax * ax);
    cy = 0.3f * ay * ay / (1 + ay * ay);
  }

  // Stiffness factors of the rotations; translations and couplings have none.
  const Real kx = rocking_stiffness_factor(ax, nu);
  const Real ky = rocking_stiffness_factor(ay, nu);
  const Real kt = at < 3 ? 1 - 0.133f * at : 0.6f;

  const Cplx material(1, damping);
  const Cplx horizontal_factor(1, ch * a0);
  StratumImpedances s;
  s.horizontal = material * Kh * horizontal_factor;
  s.vertical = material * Kv * Cplx(1, cv * a0);
  s.coupling_y_rx = material * Khx * horizontal_factor;
  s.coupling_x_ry = -(material * Khy * horizontal_factor);
  s.rocking_x = material * Krx * Cplx(kx, cx * ax);
  s.rocking_y = material * Kry * Cplx(ky, cy * ay);
  s.torsion = material * Kt * Cplx(kt, ct * at);
  return s;
}

Matrix6 stratum_base_matrix(const StratumImpedances& s) {
  Matrix6 k;
  k(1, 1) = k(2, 2) = s.horizontal;
  k(3, 3) = s.vertical;
  k(2, 4) = k(4, 2) = s.coupling_y_rx;
  k(1, 5) = k(5, 1) = s.coupling_x_ry;
  k(4, 4) = s.rocking_x;
  k(5, 5) = s.rocking_y;
  k(6, 6) = s.torsion;
  return k;
}

}  // namespace korval::engine
