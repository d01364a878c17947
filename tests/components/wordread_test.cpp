// The word reader on small files: words across lines, numbers, whole lines, and its messages.
#include "components/WordRead.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "components/Errors.hpp"

namespace kc = korval::components;

namespace {

std::string WriteFile(const std::string& name, const std::string& content) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

std::string Message(const std::function<void()>& read) {
  try {
    read();
  } catch (const kc::EInOutError& e) {
    return e.what();
  }
  return "no error";
}

TEST(WordReader, WordsAndLines) {
  kc::TWordReader r(WriteFile("words.txt", "  1\t2.5   -3  \nTITLE= two words \n\n4E2 5\n"));
  EXPECT_FALSE(r.AtEnd());
  EXPECT_EQ(r.WordCount(), 3);
  EXPECT_EQ(r.ReadInteger(), 1);
  EXPECT_EQ(r.ReadReal(), 2.5L);
  EXPECT_EQ(r.ReadInteger(), -3);
  EXPECT_EQ(r.ReadLine(), "  1\t2.5   -3  ");  // finishes the line whose words were read
  EXPECT_EQ(r.ReadLine(), "TITLE= two words ");  // blanks kept
  EXPECT_EQ(r.ReadLine(), "");
  EXPECT_EQ(r.WordCount(), 2);
  EXPECT_EQ(r.ReadInteger(), 400);
  EXPECT_EQ(r.ReadLine(), "4E2 5");  // the rest of a partly read line is dropped
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.WordCount(), 0);
  EXPECT_EQ(Message([&] { r.ReadLine(); }), "This file either invalid or incomplete.");
}

TEST(WordReader, CrLfReadsLikeLf) {
  const std::string lines[] = {"MASS ", "1.5 2", "", "LAST"};
  for (const char* end : {"\n", "\r\n"}) {
    std::string content;
    for (const std::string& line : lines) content += line + end;
    kc::TWordReader r(WriteFile("ends.txt", content));
    EXPECT_EQ(r.ReadLine(), "MASS ") << "line end " << (end[0] == '\r' ? "CR LF" : "LF");
    EXPECT_EQ(r.ReadReal(), 1.5L);
    EXPECT_EQ(r.ReadInteger(), 2);
    EXPECT_EQ(r.ReadLine(), "1.5 2");
    EXPECT_EQ(r.ReadLine(), "");
    EXPECT_EQ(r.ReadLine(), "LAST");
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(WordReader, FileShapes) {
  kc::TWordReader empty(WriteFile("empty.txt", ""));  // one empty line
  EXPECT_FALSE(empty.AtEnd());
  EXPECT_EQ(empty.ReadLine(), "");
  EXPECT_TRUE(empty.AtEnd());

  kc::TWordReader no_final_end(WriteFile("open.txt", "1\n2"));
  EXPECT_EQ(no_final_end.ReadInteger(), 1);
  EXPECT_EQ(no_final_end.ReadInteger(), 2);
  EXPECT_EQ(Message([&] { no_final_end.ReadInteger(); }), "This file either invalid or incomplete.");

  EXPECT_EQ(Message([] { kc::TWordReader r(::testing::TempDir() + "missing.kvd"); }),
            "Cannot open file \"" + ::testing::TempDir() + "missing.kvd\": No such file or directory");
}

TEST(WordReader, Messages) {
  const struct {
    const char* content;
    const char* reads;  // I integer, R real
    const char* message;
  } cases[] = {
      // the empty second line is reached directly after the first is used up
      {"1 2.5\n\n3\n", "IRI", "Error on Line 2 Item 1\nAn integer was expected but not found."},
      {"1\n\n", "IR", "Error on Line 2 Item 1\nA floating point number was expected but not found."},
      {"1\n2\n3\n4\n5\n6\n0 abc\n", "IIIIIIRR", "Error on Line 7 Item 2\nA floating point number was expected but not found."},
      {"3.0 2.50\n", "II", "Error on Line 1 Item 2\nAn integer was expected but not found."},
      {"2147483648\n", "I", "Error on Line 1 Item 1\nAn integer was expected but not found."},
      {"1,5\n", "R", "Error on Line 1 Item 1\nA floating point number was expected but not found."},
      {"1e5000\n", "R", "Error on Line 1 Item 1\nA floating point number was expected but not found."},
      {"1 2\n", "RRR", "This file either invalid or incomplete."},
  };
  for (const auto& c : cases) {
    kc::TWordReader r(WriteFile("messages.txt", c.content));
    const std::string message = Message([&] {
      for (const char* k = c.reads; *k; ++k) *k == 'I' ? static_cast<void>(r.ReadInteger()) : static_cast<void>(r.ReadReal());
    });
    EXPECT_EQ(message, c.message) << c.content;
  }
}

TEST(WordReader, IntegerLimits) {
  kc::TWordReader r(WriteFile("limits.txt", "-2147483648 2147483647 3.0 4E2\n6 7\n"));
  EXPECT_EQ(r.ReadInteger(), -2147483647 - 1);
  EXPECT_EQ(r.ReadInteger(), 2147483647);
  EXPECT_EQ(r.ReadInteger(), 3);
  EXPECT_EQ(r.ReadInteger(), 400);
  EXPECT_EQ(r.ReadInteger(1, 6), 6);
  EXPECT_EQ(Message([&] { r.ReadInteger(1, 6); }), "Error on Line 2 Item 2\nAn integer from 1 to 6 was expected but not found.");
}

TEST(WordReader, FinishLineAndLineNumber) {
  kc::TWordReader r(WriteFile("numbers.txt", "A\n1 2\n3 4\n5\nB\n"));
  EXPECT_EQ(r.LineNumber(), 1);
  r.FinishLine();  // nothing read from this line yet
  EXPECT_EQ(r.ReadLine(), "A");
  EXPECT_EQ(r.LineNumber(), 2);
  r.ReadInteger();
  r.ReadInteger();
  EXPECT_EQ(r.LineNumber(), 2);  // the cursor stays on a line whose words are used up
  r.FinishLine();
  EXPECT_EQ(r.ReadInteger(), 3);
  r.FinishLine();  // drops the 4
  EXPECT_EQ(r.LineNumber(), 4);
  EXPECT_EQ(r.ReadInteger(), 5);
  r.FinishLine();
  EXPECT_EQ(r.ReadLine(), "B");
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.LineNumber(), 6);
  r.FinishLine();
  EXPECT_TRUE(r.AtEnd());
}

}  // namespace
