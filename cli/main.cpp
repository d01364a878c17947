// korv3: analyses one project file with the engine and writes the report and the plot-data
// file beside it. The engine runs in a private working folder, because it uses fixed file
// names there; several korv3 processes may therefore run at once.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "korv3/ikorval.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFailure = 1;

void usage(std::FILE* out) {
  std::fputs(
      "usage: korv3 PROJECT.kvd\n"
      "\n"
      "Analyses the machine-foundation project PROJECT.kvd with the KORVAL engine and writes\n"
      "the report PROJECT.kvo and the plot-data file PROJECT.kvp beside it.\n"
      "\n"
      "Exit status: 0 computed, 2 stopped (STOP, or no RUN in the file), 3 input errors\n"
      "(listed in the report), 1 or 4 when the run failed (a message says why).\n",
      out);
}

// The project's name with its extension replaced (or, without one, extended).
fs::path sibling(const fs::path& project, const char* extension) {
  fs::path p = project;
  p.replace_extension(extension);
  return p;
}

bool copy_file(const fs::path& from, const fs::path& to, const char* what) {
  std::error_code ec;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    std::fprintf(stderr, "korv3: cannot write the %s '%s': %s\n", what, to.c_str(), ec.message().c_str());
    return false;
  }
  return true;
}

const char* outcome(int status) {
  switch (status) {
    case 0: return "computed";
    case 2: return "stopped before the computation";
    case 3: return "input errors, see the report";
    default: return "failed";
  }
}

// Removes the private working folder whatever happens to the run.
struct WorkFolder {
  fs::path path;
  ~WorkFolder() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    usage(stdout);
    return 0;
  }
  if (argc != 2) {
    usage(stderr);
    return kFailure;
  }
  std::error_code ec;
  const fs::path project = fs::absolute(argv[1], ec);
  {
    std::ifstream probe(project, std::ios::binary);
    if (!probe || fs::is_directory(project, ec)) {
      const char* reason = fs::is_directory(project, ec) ? "it is a folder" : std::strerror(errno);
      std::fprintf(stderr, "korv3: cannot read the project file '%s': %s\n", argv[1], reason);
      return kFailure;
    }
  }

  WorkFolder work;
  std::string templ = (fs::temp_directory_path(ec) / "korv3-XXXXXX").string();
  if (ec || !mkdtemp(templ.data())) {
    std::fprintf(stderr, "korv3: cannot create a working folder: %s\n", std::strerror(errno));
    return kFailure;
  }
  work.path = templ;
  if (!copy_file(project, work.path / "project.kvd", "working copy of the project")) return kFailure;
  {
    std::ofstream names(work.path / "names.dat", std::ios::binary);
    names << "3.0.8\r\nproject.kvd\r\nproject.kvo\r\nproject.kvp\r\n";
    if (!names) {
      std::fprintf(stderr, "korv3: cannot write the names file in '%s'\n", work.path.c_str());
      return kFailure;
    }
  }

  const int here = open(".", O_RDONLY | O_DIRECTORY);
  if (here < 0 || chdir(work.path.c_str()) != 0) {
    std::fprintf(stderr, "korv3: cannot enter the working folder: %s\n", std::strerror(errno));
    return kFailure;
  }
  const int status = IKORVAL(0);
  if (fchdir(here) != 0) {
    std::fprintf(stderr, "korv3: cannot return to the starting folder: %s\n", std::strerror(errno));
    return kFailure;
  }
  close(here);

  const fs::path report = sibling(project, ".kvo");
  const fs::path plot = sibling(project, ".kvp");
  if (fs::exists(work.path / "project.kvo")) {
    if (!copy_file(work.path / "project.kvo", report, "report")) return kFailure;
    if (!copy_file(work.path / "project.kvp", plot, "plot-data file")) return kFailure;
  }
  if (status == 1 || status == 4) return status;
  std::printf("%s: %s (status %d); report %s\n", argv[1], outcome(status), status, report.c_str());
  return status;
}
