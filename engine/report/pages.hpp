// Page headers of the report: the banner box with the run's date and time, the title, and
// the heading of the data-echo or the results page.
#pragma once

#include <string_view>

#include "engine/report/report.hpp"
#include "engine/run_state.hpp"

namespace korval::engine {

struct RunStamp {
  char version[13] = {};  // the calling program's version, 12 characters
  char date[11] = {};     // YYYY-MM-DD
  char time[9] = {};      // HH:MM:SS
};

enum class PageKind { DataEcho, Results };

void write_page_header(Report& report, const InputModel& in, const RunStamp& stamp, PageKind kind);

// A heading line with its underline of the same length, both after `indent` blanks.
void write_heading(Report& report, std::string_view text, char underline, int indent = 1);

}  // namespace korval::engine
