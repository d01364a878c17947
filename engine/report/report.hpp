// The report file: one record per line, written in order during one run.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "engine/report/field.hpp"
#include "engine/report/message_sink.hpp"

namespace korval::engine {

class Report final : public MessageSink {
 public:
  Report() = default;
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;
  ~Report() { close(); }

  // Creates (or empties) the file; false when it cannot be created.
  bool open(const char* path);
  // Writes into a stream the caller owns (tests); nothing is closed.
  void attach(std::FILE* stream);
  void close();
  bool is_open() const { return file_ != nullptr; }

  void line(std::string_view text) override;
  void put(const Record& r) { line(r.text()); }
  void blank(int n = 1);
  // An error or notice: two empty lines, then its lines as given.
  void message(std::initializer_list<std::string_view> lines);
  // A "1" in column 1 followed by three empty lines: the start of a new page.
  void page_eject();

 private:
  std::FILE* file_ = nullptr;
  bool owned_ = false;
};

}  // namespace korval::engine
