#include "engine/run_state.hpp"

#include <cstdio>

namespace korval::engine {

namespace {
// The title of a project file without TITLE.
const char kDefaultTitle[] = "KORVAL ANALYSIS OF A MACHINE FOUNDATION - NO TITLE GIVEN";
}  // namespace

void RunState::reset() {
  in = InputModel{};
  results = Results{};
  std::snprintf(in.title.data(), in.title.size(), "%s", kDefaultTitle);
  fatal = false;
}

}  // namespace korval::engine
