// The computation phase: the frequency loop and the response of the load type.
#pragma once

#include "engine/report/pages.hpp"
#include "engine/report/plot_data.hpp"
#include "engine/report/report.hpp"
#include "engine/run.hpp"
#include "engine/run_state.hpp"

namespace korval::engine {

// Returns the run status: computed, or stopped when the foundation cannot be analysed.
int compute_results(RunState& state, Report& report, PlotData& plot, const RunStamp& stamp);

}  // namespace korval::engine
