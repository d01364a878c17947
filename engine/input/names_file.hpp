// The names file: how the engine learns the names of its files.
#pragma once

#include <cstdio>
#include <string>

namespace korval::engine {

struct FileNames {
  std::string version;  // at most 12 characters
  std::string input, report, plot_data;
};

// Reads the version (12 columns) and the three file names (256 columns each, trailing blanks
// dropped). When a name line is missing, all three are asked for on `prompt` and read from
// `answers`.
FileNames read_names(std::FILE* names, std::FILE* prompt, std::FILE* answers);

}  // namespace korval::engine
