// Runs whole analyses in a private folder, as the program does: names file, project file,
// report and plot-data file.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "engine/run.hpp"

namespace korval::engine::testing {

inline std::string read_file(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

inline void write_file(const std::filesystem::path& p, const std::string& text) {
  std::ofstream f(p, std::ios::binary);
  f << text;
}

inline std::string example(const std::string& name) {
  return read_file(std::filesystem::path(KORVAL_SOURCE_DIR) / "examples" / name);
}

struct RunOutput {
  int status = -1;
  std::string report, plot, prompts;
};

// A folder of its own for the runs of one test; the engine's fixed names live there.
class RunFolder {
 public:
  RunFolder() {
    std::string templ = (std::filesystem::temp_directory_path() / "korv3-test-XXXXXX").string();
    dir_ = mkdtemp(templ.data());
  }
  ~RunFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  const std::filesystem::path& dir() const { return dir_; }

  // Runs the engine with `names` as the names file; `answers` is what standard input holds.
  RunOutput run_with_names(const std::string& names, const std::string& answers = "") {
    write_file(dir_ / "names.dat", names);
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    std::FILE* prompt = std::tmpfile();
    std::FILE* in = std::tmpfile();
    std::fputs(answers.c_str(), in);
    std::rewind(in);
    RunOutput out;
    out.status = run_analysis(*state_, prompt, in);
    std::rewind(prompt);
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, prompt)) > 0) out.prompts.append(buf, n);
    std::fclose(prompt);
    std::fclose(in);
    std::filesystem::current_path(here);
    out.report = read_file(dir_ / "project.kvo");
    out.plot = read_file(dir_ / "project.kvp");
    return out;
  }

  RunOutput run(const std::string& project) {
    write_file(dir_ / "project.kvd", project);
    std::filesystem::remove(dir_ / "project.kvo");
    std::filesystem::remove(dir_ / "project.kvp");
    return run_with_names("3.0.8\r\nproject.kvd\r\nproject.kvo\r\nproject.kvp\r\nproject.kvr\r\n");
  }

 private:
  std::filesystem::path dir_;
  std::unique_ptr<RunState> state_ = std::make_unique<RunState>();
};

// The report without its run date and time, for comparisons between runs.
inline std::string without_stamp(const std::string& report) {
  std::string out;
  std::istringstream in(report);
  std::string line;
  while (std::getline(in, line))
    if (line.find("RUN DATE - ") == std::string::npos && line.find("TIME     -  ") == std::string::npos)
      out += line + "\n";
  return out;
}

}  // namespace korval::engine::testing
