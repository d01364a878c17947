// The top level of the input language: keywords until RUN, STOP or the end of the input.
#pragma once

#include "engine/input/item_reader.hpp"
#include "engine/report/pages.hpp"
#include "engine/run_state.hpp"

namespace korval::engine {

enum class LoopEnd { Run, Stop };

LoopEnd read_keywords(RunState& state, ItemReader& items, Report& report, const RunStamp& stamp);

}  // namespace korval::engine
