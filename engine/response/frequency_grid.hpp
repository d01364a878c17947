// Frequency grids of the three load types.
#pragma once

#include "engine/run_state.hpp"

namespace korval::engine {

// The smallest circular frequency the computation uses in place of one not greater than zero.
inline constexpr Real kSmallestFrequency = 0.0001f;

// Harmonic sweep: NF = nearest integer of (w_max - w_min)/step + 1, a step of 0 taken as 1.
Real harmonic_step(const HarmonicLoad& h);
int harmonic_frequency_count(const HarmonicLoad& h);
// Frequency k (1-based) of the sweep, as the computation uses it (never below the smallest).
Real harmonic_frequency(const HarmonicLoad& h, int k);
// Frequency k as the response tables print it: w_min - step + k*step, not replaced.
Real harmonic_table_frequency(const HarmonicLoad& h, int k);

// Random loads: step (w_max - w_min)/(NP - 1), NP - 1 = 0 taken as 1; one frequency per point.
Real random_step(const RandomLoad& r);
int random_frequency_count(const RandomLoad& r);
Real random_frequency(const RandomLoad& r, int k);

// Transient loads: NT/2 + 1 frequencies, the first 0.01 rad/s, then (k - 1) 2 pi/(NT dt).
int transient_frequency_count(const TransientLoad& t);
Real transient_frequency(const TransientLoad& t, int k);

}  // namespace korval::engine
