#include "engine/response/frequency_grid.hpp"

namespace korval::engine {

Real harmonic_step(const HarmonicLoad& h) { return h.w_step == 0 ? 1.0f : h.w_step; }

int harmonic_frequency_count(const HarmonicLoad& h) {
  return nearest_int((h.w_max - h.w_min) / harmonic_step(h) + 1.0f);
}

Real harmonic_frequency(const HarmonicLoad& h, int k) {
  const Real w = h.w_min + static_cast<Real>(k - 1) * harmonic_step(h);
  return w > 0 ? w : kSmallestFrequency;
}

Real harmonic_table_frequency(const HarmonicLoad& h, int k) {
  const Real step = harmonic_step(h);
  return h.w_min - step + static_cast<Real>(k) * step;
}

Real random_step(const RandomLoad& r) {
  const int intervals = r.points - 1 == 0 ? 1 : r.points - 1;
  return (r.w_max - r.w_min) / static_cast<Real>(intervals);
}

int random_frequency_count(const RandomLoad& r) {
  // One point gives one frequency; otherwise the count follows from the step as for the sweep.
  if (r.points <= 1) return r.points;
  return nearest_int((r.w_max - r.w_min) / random_step(r) + 1.0f);
}

Real random_frequency(const RandomLoad& r, int k) {
  const Real w = r.w_min + static_cast<Real>(k - 1) * random_step(r);
  return w > 0 ? w : kSmallestFrequency;
}

int transient_frequency_count(const TransientLoad& t) { return t.samples / 2 + 1; }

Real transient_frequency(const TransientLoad& t, int k) {
  if (k == 1) return 0.01f;
  const Real two_pi = 6.2831853f;
  return static_cast<Real>(k - 1) * two_pi / (static_cast<Real>(t.samples) * t.dt);
}

}  // namespace korval::engine
