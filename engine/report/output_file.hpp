// A text file written line by line: the report and the plot-data file.
#pragma once

#include <cstdio>
#include <string_view>

namespace korval::engine {

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() { close(); }

  // Creates (or empties) the file; false when it cannot be created.
  bool open(const char* path);
  // Writes into a stream the caller owns (tests); it is not closed here.
  void attach(std::FILE* stream);
  void close();
  bool is_open() const { return file_ != nullptr; }
  // One line; nothing happens while no file is open.
  void write_line(std::string_view text);

 private:
  std::FILE* file_ = nullptr;
  bool owned_ = false;
};

}  // namespace korval::engine
