#include "engine/run.hpp"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>

#include "engine/input/derived.hpp"
#include "engine/input/item_reader.hpp"
#include "engine/input/keyword_loop.hpp"
#include "engine/input/names_file.hpp"
#include "engine/input/normaliser.hpp"
#include "engine/report/pages.hpp"
#include "engine/report/plot_data.hpp"
#include "engine/report/report.hpp"
#include "engine/response/analysis.hpp"

namespace korval::engine {
namespace {

// Project files are a few kilobytes; anything far larger is not a project file.
constexpr long kMaxInputBytes = 64L * 1024 * 1024;

void file_error(Report& report, const char* what, const std::string& name, int err) {
  const std::string text = std::string("cannot open the ") + what + " '" + name + "': " + std::strerror(err);
  if (report.is_open())
    report.message({std::string(" *** ") + text + " ***"});
  else
    std::fprintf(stderr, "korv3-comp: %s\n", text.c_str());
}

bool read_whole(std::FILE* f, std::string& text) {
  char buf[65536];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    text.append(buf, n);
    if (static_cast<long>(text.size()) > kMaxInputBytes) return false;
  }
  return !std::ferror(f);
}

RunStamp make_stamp(const std::string& version) {
  RunStamp s;
  std::snprintf(s.version, sizeof s.version, "%.12s", version.c_str());
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(s.date, sizeof s.date, "%Y-%m-%d", &local);
  std::strftime(s.time, sizeof s.time, "%H:%M:%S", &local);
  return s;
}

void end_block(Report& report, std::initializer_list<std::string_view> lines) {
  report.page_eject();
  for (std::string_view l : lines) report.line(l);
}

struct OpenFiles {
  std::FILE* names = nullptr;
  std::FILE* input = nullptr;
  ~OpenFiles() {
    if (names) std::fclose(names);
    if (input) std::fclose(input);
  }
};

}  // namespace

int32_t run_analysis(RunState& state, std::FILE* prompt, std::FILE* answers) {
  state.reset();
  // Declared so that they close in the order names, input, report, plot data.
  PlotData plot;
  Report report;
  OpenFiles files;

  files.names = std::fopen("names.dat", "r");
  if (!files.names) {
    file_error(report, "names file", "names.dat", errno);
    return RunFileError;
  }
  const FileNames names = read_names(files.names, prompt, answers);
  files.input = std::fopen(names.input.c_str(), "rb");
  const int input_errno = errno;
  // The report and the plot-data file are opened (and emptied) even when the project file
  // cannot be read: the caller then finds the reason in the report, and no curves of an
  // earlier run that would pass for this one's.
  const bool report_open = report.open(names.report.c_str());
  const int report_errno = errno;
  const bool plot_open = plot.open(names.plot_data.c_str());
  const int plot_errno = errno;
  if (!files.input) {
    file_error(report, "input file", names.input, input_errno);
    return RunFileError;
  }
  if (!report_open) {
    file_error(report, "report file", names.report, report_errno);
    return RunFileError;
  }
  if (!plot_open) {
    file_error(report, "plot-data file", names.plot_data, plot_errno);
    return RunFileError;
  }
  std::string text;
  if (!read_whole(files.input, text)) {
    report.message({" *** THE INPUT FILE CANNOT BE READ OR IS TOO LARGE TO BE A PROJECT FILE ***"});
    return RunFileError;
  }

  const RunStamp stamp = make_stamp(names.version);
  const std::vector<Item> items = normalise(text, report);
  ItemReader reader(items, report);
  const LoopEnd end = read_keywords(state, reader, report, stamp);

  const std::initializer_list<std::string_view> fatal_block = {" *** FATAL ERROR IN INPUT DATA ***",
                                                               " *** EXEC   UTION TERMINATED ***"};
  if (state.fatal) {
    end_block(report, fatal_block);
    return InputFatal;
  }
  if (end == LoopEnd::Stop) {
    end_block(report, {" *** RUN TERMINATED BY 'STOP' KEYWORD ***"});
    return RunStopped;
  }
  const InputModel& in = state.in;
  const char* missing = nullptr;
  if (in.foundation == FoundationType::Unset || in.load == LoadType::Unset || in.geometry == Geometry::Unset)
    missing = " INSUFFICIENT INPUT DATA TO COMPLETE RUN";
  else if (!in.gravity_set)
    missing = " GRAVITATIONAL CONSTANT NOT SET";
  if (missing) {
    report.message({missing, " PROGRAM WILL TERMINATE"});
    end_block(report, fatal_block);
    return InputFatal;
  }

  scale_weak_zones(state.in);
  return compute_results(state, report, plot, stamp);
}

}  // namespace korval::engine
