#include "engine/report/report.hpp"

namespace korval::engine {

void Report::blank(int n) {
  for (int k = 0; k < n; ++k) line({});
}

void Report::message(std::initializer_list<std::string_view> lines) {
  blank(2);
  for (std::string_view l : lines) line(l);
}

void Report::page_eject() {
  line("1");
  blank(3);
}

}  // namespace korval::engine
