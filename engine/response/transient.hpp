// Transient response: the rigid body's motion under sampled load histories, computed in the
// frequency domain.
#pragma once

#include "engine/report/report.hpp"
#include "engine/run_state.hpp"

namespace korval::engine {

// The load spectra P(k, c) = conj(X_k)/NT of every history, in results.spectrum.
void transient_load_spectra(const InputModel& in, Results& results);

// Solves D U = P(k, .) at frequency k (1-based) and keeps U in place of P.
void transient_at_frequency(Results& results, int k, const Matrix6& d, MessageSink& sink);

// Completes the response spectra by conjugate symmetry, transforms them back to histories
// and writes the response table.
void transient_finish(const InputModel& in, Results& results, Report& report);

}  // namespace korval::engine
