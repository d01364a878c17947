// One complete analysis: files, input, computation, report.
#pragma once

#include <cstdint>
#include <cstdio>

#include "engine/run_state.hpp"

namespace korval::engine {

enum RunStatus : int32_t {
  RunCompleted = 0,
  RunFileError = 1,
  RunStopped = 2,
  InputFatal = 3,
  RunInternalError = 4,
};

// Runs the analysis named by "names.dat" in the current folder. `prompt` and `answers` serve
// the fallback questions for missing file names (standard output and input in the library).
int32_t run_analysis(RunState& state, std::FILE* prompt, std::FILE* answers);

}  // namespace korval::engine
