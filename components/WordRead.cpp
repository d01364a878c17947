#include "components/WordRead.hpp"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "components/Errors.hpp"
#include "components/NumberFormat.hpp"

namespace korval::components {
namespace {

constexpr const char* kRealExpected = "A floating point number was expected but not found.";
constexpr const char* kIntegerExpected = "An integer was expected but not found.";

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string ReadWholeFile(const std::string& file_name) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(file_name.c_str(), "rb"), std::fclose);
  if (!file) throw EInOutError("Cannot open file \"" + file_name + "\": " + std::strerror(errno));
  std::string content;
  char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, file.get())) > 0;) content.append(buf, n);
  if (std::ferror(file.get())) throw EInOutError("Cannot read file \"" + file_name + "\"");
  return content;
}

}  // namespace

TWordContainer::TWordContainer(std::string line) : text_(std::move(line)) {
  std::size_t begin = 0;
  std::size_t end = text_.size();
  while (begin < end && IsBlankOrControl(text_[begin])) ++begin;
  while (end > begin && IsBlankOrControl(text_[end - 1])) --end;
  while (begin < end) {
    std::size_t stop = text_.find_first_of(" \t", begin);
    if (stop == std::string::npos || stop > end) stop = end;
    words_.push_back(text_.substr(begin, stop - begin));
    begin = stop;
    while (begin < end && IsBlankOrControl(text_[begin])) ++begin;
  }
}

TWordReader::TWordReader(const std::string& file_name) {
  const std::string content = ReadWholeFile(file_name);
  std::size_t begin = 0;
  do {
    std::size_t end = content.find('\n', begin);
    if (end == std::string::npos) end = content.size();
    std::size_t text_end = end;
    if (text_end > begin && content[text_end - 1] == '\r') --text_end;
    lines_.emplace_back(content.substr(begin, text_end - begin));
    begin = end + 1;
  } while (begin < content.size());
}

int TWordReader::WordCount() const { return AtEnd() ? 0 : lines_[static_cast<std::size_t>(line_)].Count(); }

void TWordReader::Fail(int line, int item, const std::string& expected) const {
  throw EInOutError("Error on Line " + std::to_string(line + 1) + " Item " + std::to_string(item + 1) + "\n" + expected);
}

const std::string& TWordReader::NextWord(const char* expected) {
  if (!AtEnd() && word_ == WordCount()) {
    ++line_;
    word_ = 0;
  }
  if (AtEnd()) throw EInOutError("This file either invalid or incomplete.");
  const TWordContainer& line = lines_[static_cast<std::size_t>(line_)];
  if (word_ >= line.Count()) Fail(line_, word_, expected);
  return line.Words()[static_cast<std::size_t>(word_++)];
}

long double TWordReader::ReadReal() {
  const std::string& word = NextWord(kRealExpected);
  long double value = 0;
  if (ParseNumber(word, value) != NumberParse::kOk) Fail(line_, word_ - 1, kRealExpected);
  return value;
}

int TWordReader::ReadInteger() {
  const std::string& word = NextWord(kIntegerExpected);
  long double value = 0;
  if (ParseNumber(word, value) != NumberParse::kOk || value != std::trunc(value) || value < -2147483648.0L ||
      value > 2147483647.0L)
    Fail(line_, word_ - 1, kIntegerExpected);
  return static_cast<int>(value);
}

int TWordReader::ReadInteger(int minimum, int maximum) {
  const int value = ReadInteger();
  if (value < minimum || value > maximum)
    Fail(line_, word_ - 1,
         "An integer from " + std::to_string(minimum) + " to " + std::to_string(maximum) + " was expected but not found.");
  return value;
}

std::string TWordReader::ReadLine() {
  if (AtEnd()) throw EInOutError("This file either invalid or incomplete.");
  std::string text = lines_[static_cast<std::size_t>(line_)].Text();
  ++line_;
  word_ = 0;
  return text;
}

void TWordReader::FinishLine() {
  if (word_ == 0) return;
  ++line_;
  word_ = 0;
}

}  // namespace korval::components
