// The report file: one record per line, written in order during one run.
#pragma once

#include <initializer_list>
#include <string_view>

#include "engine/report/field.hpp"
#include "engine/report/message_sink.hpp"
#include "engine/report/output_file.hpp"

namespace korval::engine {

class Report final : public MessageSink {
 public:
  bool open(const char* path) { return file_.open(path); }
  void attach(std::FILE* stream) { file_.attach(stream); }
  void close() { file_.close(); }
  bool is_open() const { return file_.is_open(); }

  void line(std::string_view text) override { file_.write_line(text); }
  void put(const Record& r) { line(r.text()); }
  void blank(int n = 1);
  // An error or notice: two empty lines, then its lines as given.
  void message(std::initializer_list<std::string_view> lines);
  // A "1" in column 1 followed by three empty lines: the start of a new page.
  void page_eject();

 private:
  OutputFile file_;
};

}  // namespace korval::engine
