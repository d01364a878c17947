#include "engine/input/names_file.hpp"

namespace korval::engine {
namespace {

// One line of the file, its line end dropped; false at the end of the file.
bool read_line(std::FILE* f, std::string& line) {
  line.clear();
  int c = 0;
  bool any = false;
  while ((c = std::fgetc(f)) != EOF) {
    any = true;
    if (c == '\n') break;
    line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

std::string fixed_width(const std::string& line, std::size_t width) {
  std::string s = line.substr(0, width);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

}  // namespace

FileNames read_names(std::FILE* names, std::FILE* prompt, std::FILE* answers) {
  FileNames n;
  std::string line;
  if (read_line(names, line)) n.version = fixed_width(line, 12);
  std::string* targets[3] = {&n.input, &n.report, &n.plot_data};
  bool complete = true;
  for (std::string* t : targets) {
    if (!read_line(names, line)) {
      complete = false;
      break;
    }
    *t = fixed_width(line, 256);
  }
  if (complete) return n;

  const char* questions[3] = {"ENTER A FILE NAME FOR YOUR INPUT FILE.", "ENTER A FILE NAME FOR YOUR OUTPUT FILE.",
                              "ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE."};
  for (int k = 0; k < 3; ++k) {
    std::fprintf(prompt, "\n\n       %s\n ENTER >\n", questions[k]);
    std::fflush(prompt);
    if (!read_line(answers, line)) line.clear();
    *targets[k] = fixed_width(line, 256);
  }
  return n;
}

}  // namespace korval::engine
