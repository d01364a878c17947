#include "engine/report/output_file.hpp"

namespace korval::engine {

bool OutputFile::open(const char* path) {
  close();
  file_ = std::fopen(path, "w");
  owned_ = file_ != nullptr;
  return file_ != nullptr;
}

void OutputFile::attach(std::FILE* stream) {
  close();
  file_ = stream;
  owned_ = false;
}

void OutputFile::close() {
  if (file_ && owned_) std::fclose(file_);
  file_ = nullptr;
  owned_ = false;
}

void OutputFile::write_line(std::string_view text) {
  if (!file_) return;
  if (!text.empty()) std::fwrite(text.data(), 1, text.size(), file_);
  std::fputc('\n', file_);
}

}  // namespace korval::engine
