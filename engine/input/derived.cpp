#include "engine/input/derived.hpp"

#include <cmath>

namespace korval::engine {

void set_batter_angles(Pile& pile, BatterPlane plane, Real t) {
  // Columns: local x, local y, local z (the pile axis); rows: global X, Y, Z.
  const Real xz[3][3] = {{t, 90, 90 - t}, {90, 0, 90}, {t + 90, 90, t}};
  const Real yz[3][3] = {{0, 90, 90}, {90, t, 90 - t}, {90, t + 90, t}};
  const Real(&a)[3][3] = plane == BatterPlane::XZ ? xz : yz;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) pile.angle[i][j] = a[i][j];
}

void parabolic_sublayer(int k, Real length, Real vs_tip, Real& thickness, Real& vs) {
  // The first 20 sublayers are L/40 thick, the last 10 are L/20.
  Real bottom;
  if (k <= 20) {
    thickness = length / 40.0f;
    bottom = static_cast<Real>(k) * thickness;
  } else {
    thickness = length / 20.0f;
    bottom = length / 2.0f + static_cast<Real>(k - 20) * thickness;
  }
  const Real ratio = length != 0 ? (bottom - thickness / 2.0f) / length : 0.0f;
  vs = vs_tip * std::pow(ratio > 0 ? ratio : 0.0f, 0.25f);
}

void scale_weak_zones(InputModel& in) {
  const bool side_weak = (in.foundation == FoundationType::Pile && in.embedded && in.side_cap) ||
                         (in.foundation == FoundationType::HalfSpace && in.weak);
  if (side_weak)
    for (int k = 0; k < in.side_layers; ++k) in.side[k].weak.thickness *= in.radii.r0;
  const bool body = in.foundation == FoundationType::Pile || in.foundation == FoundationType::Multilayer;
  if (body && in.weak)
    for (int k = 0; k < in.layers; ++k)
      in.layer[k].weak.thickness *= (in.element[k].radius_x + in.element[k].radius_y) / 2.0f;
}

void resultant_at_centre(const Real f[6], Real x, Real y, Real z, Real out[6]) {
  out[0] = f[0];
  out[1] = f[1];
  out[2] = f[2];
  out[3] = f[3] + y * f[2] - z * f[1];
  out[4] = f[4] + z * f[0] - x * f[2];
  out[5] = f[5] + x * f[1] - y * f[0];
}

}  // namespace korval::engine
