// The exported entry point: one analysis per call, no exception ever crosses it.
#define KORV3_BUILDING 1
#include "korv3/ikorval.h"

#include <cstdio>
#include <exception>

#include "engine/run.hpp"

namespace {

// The state of one analysis. It is reset at the start of every call.
korval::engine::RunState g_state;

int32_t guarded_run() {
  try {
    return korval::engine::run_analysis(g_state, stdout, stdin);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "korv3-comp: internal failure: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "korv3-comp: internal failure\n");
  }
  return korval::engine::RunInternalError;
}

}  // namespace

extern "C" int32_t IKORVAL(int32_t /*request*/) { return guarded_run(); }
extern "C" int32_t _IKORVAL(int32_t /*request*/) { return guarded_run(); }
