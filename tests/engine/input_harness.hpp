// Reads project text through the normaliser and the keyword readers, capturing the report.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/input/item_reader.hpp"
#include "engine/input/keyword_loop.hpp"
#include "engine/input/normaliser.hpp"
#include "engine/report/report.hpp"
#include "engine/run_state.hpp"

namespace korval::engine::testing {

// A report written into memory.
class CapturedReport {
 public:
  CapturedReport() : file_(std::tmpfile()) { report.attach(file_); }
  ~CapturedReport() {
    report.close();
    std::fclose(file_);
  }
  std::string text() {
    std::fflush(file_);
    std::string s;
    std::rewind(file_);
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, file_)) > 0) s.append(buf, n);
    return s;
  }
  std::vector<std::string> lines() {
    std::vector<std::string> out;
    const std::string s = text();
    std::size_t start = 0;
    while (start < s.size()) {
      std::size_t end = s.find('\n', start);
      out.push_back(s.substr(start, end - start));
      start = end + 1;
    }
    return out;
  }
  Report report;

 private:
  std::FILE* file_;
};

struct ReadResult {
  std::unique_ptr<RunState> state = std::make_unique<RunState>();
  LoopEnd end = LoopEnd::Stop;
  std::string report;
  const InputModel& in() const { return state->in; }
};

inline std::vector<Item> items_of(const std::string& text) {
  CapturedReport r;
  return normalise(text, r.report);
}

inline ReadResult read_project(const std::string& text) {
  ReadResult result;
  result.state->reset();
  CapturedReport captured;
  const std::vector<Item> items = normalise(text, captured.report);
  ItemReader reader(items, captured.report);
  RunStamp stamp;
  result.end = read_keywords(*result.state, reader, captured.report, stamp);
  result.report = captured.text();
  return result;
}

inline bool contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

}  // namespace korval::engine::testing
