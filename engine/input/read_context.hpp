// What the keyword readers share while one project file is read.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/input/item_reader.hpp"
#include "engine/report/pages.hpp"
#include "engine/report/report.hpp"
#include "engine/run_state.hpp"

namespace korval::engine {

struct ReadContext {
  RunState& state;
  InputModel& in;
  ItemReader& items;
  Report& report;
  const RunStamp& stamp;

  // The next number; false for a word (its message is written). Past the end of the input it
  // is 0 after the end-of-file message.
  bool number(Real& value) { return items.number(value) == ReadStatus::Ok; }
  bool numbers(Real* out, int n) {
    for (int k = 0; k < n; ++k)
      if (!number(out[k])) return false;
    return true;
  }
  bool count(int& n) {
    Real v = 0;
    if (!number(v)) return false;
    n = nearest_int(v);
    return true;
  }
  // A fatal input error: the message, and the run will not be computed. The message is written
  // also when the input has ended: a value that read as 0 there can still be refused, and the
  // report must say why the run is not computed.
  void fatal(std::initializer_list<std::string_view> lines) {
    state.fatal = true;
    report.message(lines);
  }
  bool echo() const { return in.echo; }
};

// Block readers, each called by the top-level loop after its keyword.
void read_gravity(ReadContext& cx);
void read_foundation(ReadContext& cx);
void read_soil(ReadContext& cx);
void read_load(ReadContext& cx);

// The three-line notice of a data error that stops the problem from being computed.
inline constexpr std::string_view kGeometryContinue = "        - WILL CONTINUE TO PROCESS DATA";
inline constexpr std::string_view kGeometryCannot = "     - CANNOT EXECUTE  THIS PROBLEM SET";
inline constexpr std::string_view kBelowContinue = "     - WILL CONTINUE TO PROCESS DATA";
inline constexpr std::string_view kBelowCannot = "     - CANNOT    EXECUTE THIS PROBLEM SET";
inline constexpr std::string_view kLoadContinue = "        - WILL CONTINUE TO PROCESS DATA";
inline constexpr std::string_view kLoadCannot = "     - CANNOT EXECUTE T HIS PROBLEM SET";
inline constexpr std::string_view kWillNotExecute = " PROGRAM WILL NOT EXECUTE";

}  // namespace korval::engine
