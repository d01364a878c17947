// Reader of blank- or tab-separated words and numbers from a text file, for project files and
// the plot-data file. The whole file is read at once; CR LF and LF line ends read alike.
#pragma once

#include <string>
#include <vector>

namespace korval::components {

// One line of the file: its complete text as read and its words in order.
class TWordContainer {
 public:
  explicit TWordContainer(std::string line);

  const std::string& Text() const { return text_; }
  const std::vector<std::string>& Words() const { return words_; }
  int Count() const { return static_cast<int>(words_.size()); }

 private:
  std::string text_;
  std::vector<std::string> words_;
};

// Failures raise EInOutError: "This file either invalid or incomplete." when the words run
// out, and "Error on Line n Item m" with a line break and what was expected when a word is
// not the number asked for (line and item counted from 1).
class TWordReader {
 public:
  // Reads the whole file; an empty file holds one empty line. Raises EInOutError when the
  // file cannot be read.
  explicit TWordReader(const std::string& file_name);

  bool AtEnd() const { return line_ == static_cast<int>(lines_.size()); }
  // Words of the current line; 0 at the end.
  int WordCount() const;
  // The next word as a number, full stop as decimal separator.
  long double ReadReal();
  // The next word as a whole number within the 32-bit range (3.0 and 4E2 qualify).
  int ReadInteger();
  // The next word as a whole number from `minimum` to `maximum`; another number fails with
  // "An integer from <minimum> to <maximum> was expected but not found."
  int ReadInteger(int minimum, int maximum);
  // The complete text of the current line, blanks included; the cursor moves to the start of
  // the next line whether or not words of this line were read.
  std::string ReadLine();
  // Moves to the start of the next line when words of the current line have been read (the
  // rest of the line is dropped); at the start of a line it does nothing.
  void FinishLine();
  // Number of the line the cursor is on, counted from 1 (the number of lines plus 1 at the end).
  int LineNumber() const { return line_ + 1; }

 private:
  // The next word; when the current line is used up the cursor moves on by one line only, so
  // a line without words there fails with `expected`.
  const std::string& NextWord(const char* expected);
  [[noreturn]] void Fail(int line, int item, const std::string& expected) const;

  std::vector<TWordContainer> lines_;
  int line_ = 0;
  int word_ = 0;
};

}  // namespace korval::components
