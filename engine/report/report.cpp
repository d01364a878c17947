#include "engine/report/report.hpp"

namespace korval::engine {

bool Report::open(const char* path) {
  close();
  file_ = std::fopen(path, "w");
  owned_ = file_ != nullptr;
  return file_ != nullptr;
}

void Report::attach(std::FILE* stream) {
  close();
  file_ = stream;
  owned_ = false;
}

void Report::close() {
  if (file_ && owned_) std::fclose(file_);
  file_ = nullptr;
  owned_ = false;
}

void Report::line(std::string_view text) {
  if (!file_) return;
  if (!text.empty()) std::fwrite(text.data(), 1, text.size(), file_);
  std::fputc('\n', file_);
}

void Report::blank(int n) {
  for (int k = 0; k < n; ++k) line({});
}

void Report::message(std::initializer_list<std::string_view> lines) {
  blank(2);
  for (std::string_view l : lines) line(l);
}

void Report::page_eject() {
  line("1");
  blank(3);
}

}  // namespace korval::engine
