#include "engine/report/pages.hpp"

#include <cstring>
#include <string>

namespace korval::engine {
namespace {

constexpr int kBoxInside = 47;  // characters between the two frames

void framed(Report& report, std::string_view inside) {
  Record r;
  r.x(1).a("*").a(inside);
  r.x(kBoxInside - static_cast<int>(inside.size())).a("*");
  report.put(r);
}

void asterisks(Report& report, int n) {
  Record r;
  r.x(1);
  for (int k = 0; k < n; ++k) r.a("*");
  report.put(r);
}

}  // namespace

void write_heading(Report& report, std::string_view text, char underline, int indent) {
  report.put(Record().x(indent).a(text));
  const std::string rule(text.size(), underline);
  report.put(Record().x(indent).a(rule));
}

void write_page_header(Report& report, const InputModel& in, const RunStamp& stamp, PageKind kind) {
  report.blank(3);
  asterisks(report, kBoxInside + 2);
  framed(report, "");
  framed(report, "        S O I L - F O U N D A T I O N          ");
  framed(report, "");
  framed(report, "     D Y N A M I C   S I M U L A T I O N       ");
  {
    // The version is left-aligned in its 12 characters.
    std::string version(stamp.version);
    version.resize(12, ' ');
    report.put(Record().x(1).a("*").x(14).a("KORVAL ").a(version).x(15).a("*"));
  }
  framed(report, "");
  report.put(Record().x(1).a("*").x(13).a("RUN DATE - ").x(1).a(stamp.date, 10).x(12).a("*"));
  report.put(Record().x(1).a("*").x(13).a("TIME     -  ").a(stamp.time, 8).x(14).a("*"));
  framed(report, "   MACHINE FOUNDATION IMPEDANCE AND RESPONSE   ");
  framed(report, "");
  asterisks(report, kBoxInside + 2);
  report.blank();
  {
    // The title is a field of 80 characters, blank-filled after its text.
    std::string title(in.title.data(), strnlen(in.title.data(), in.title.size()));
    title.resize(80, ' ');
    report.put(Record().x(1).a(title));
  }
  report.blank();
  if (kind == PageKind::DataEcho)
    write_heading(report, "DATA ECHO", '*', 22);
  else
    write_heading(report, "RESULTS", '*', 33);
}

}  // namespace korval::engine
