// Harmonic response: steady-state amplitudes of the rigid body at each frequency of the sweep.
#pragma once

#include "engine/report/plot_data.hpp"
#include "engine/report/report.hpp"
#include "engine/run_state.hpp"

namespace korval::engine {

// Solves D U = P at frequency k (1-based) and keeps |U|. A matrix the solver finds singular
// has no response: its amplitudes are kept as NaN, so that the tables show it.
void harmonic_at_frequency(const InputModel& in, Results& results, int k, Real omega, const Matrix6& d,
                           MessageSink& sink);

// The response table and the amplitude records of the plot-data file.
void harmonic_finish(const InputModel& in, const Results& results, Report& report, PlotData& plot);

}  // namespace korval::engine
