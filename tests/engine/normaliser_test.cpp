// How project text is cut into items.
#include <gtest/gtest.h>

#include "input_harness.hpp"

namespace korval::engine {
namespace {

using testing::CapturedReport;
using testing::items_of;

// Items written as "w:text" for words and "n:text" for numbers, separated by "|".
std::string shown(const std::string& text) {
  std::string out;
  for (const Item& item : items_of(text)) {
    if (!out.empty()) out += "|";
    out += (item.word ? "w:" : "n:") + item.text;
  }
  return out;
}

TEST(Normaliser, LexicalCases) {
  struct Case {
    const char* name;
    const char* text;
    const char* items;
  } cases[] = {
      {"keyword and value after an equals sign", "GRAVITY=32.2\n", "w:GRAVITY|n:32.2"},
      {"value on the next line", "FOUNDATION\nHALF-SPACE\n", "w:FOUNDATION|w:HALF-SPACE"},
      {"a blank does not separate a word", "FOUNDATION HALF-SPACE\n", "w:FOUNDATION HALF-SPACE"},
      {"numbers split at blanks and commas", "1 2.5,3\n", "n:1.|n:2.5|n:3."},
      {"integer gets a point", "RADIUS=12\n", "w:RADIUS|n:12."},
      {"exponent right-aligned in 20", "1.5E+03 -2E-1\n", "n:             1.5E+03|n:               -2E-1"},
      {"comment after a number", "7.5   $ the radius\n", "n:7.5"},
      {"comment line skipped", "$ nothing here\nSTOP\n", "w:STOP"},
      {"blank line skipped", "   \n\nRUN\n", "w:RUN"},
      {"repeat group of two numbers three times", "3(1.,2.)\n", "n:1.|n:2.|n:1.|n:2.|n:1.|n:2."},
      {"repeat after a blank separates", "MASS 2(0.)\n", "w:MASS|n:0.|n:0."},
      {"two-digit count keeps its last digit", "12(5.)\n", "n:5.|n:5."},
      {"count ending in zero repeats nothing", "1.,10(5.),2.\n", "n:1.|n:2."},
      {"group open to the end of the line", "2(4.\n", "n:4.|n:4."},
      {"count right after a group keeps what it follows", "2(1)3(2)\n", "n:1.|n:12.|n:2.|n:2."},
      {"count after a group and a blank", "2(1) 2(3)\n", "n:1.|n:1.|n:3.|n:3."},
      {"parenthesis without a count is a character", "TITLE=PUMP (EAST)\n", "w:TITLE|w:PUMP (EAST)"},
      {"standalone letters become numbers", "T H F Q P S V\n", "n:999.|n:-999.|n:0.|n:-997.|n:998.|n:-998.|n:-996."},
      {"letter inside a word is kept", "TH=F\n", "w:TH|n:0."},
      {"standalone letter is an item of its own", "CIRCULAR F\nPUMP T B\n", "w:CIRCULAR |n:0.|w:PUMP |n:999.|w:B"},
      {"letter before an asterisk is not standalone", "F*\n", "w:F|n:-999."},
      {"asterisk adds a -999 item", "4.*\n", "n:4.|n:-999."},
      {"columns after 80 are ignored",
       "1234567890123456789012345678901234567890123456789012345678901234567890123456789 1 2\n",
       "n:1234567890123456789012345678901234567890123456789012345678901234567890123456789."},
      {"a bad character turns the rest into a word", "1.5 2X 3\n", "n:1.5|w:2X 3"},
      {"lower-case exponent is not a number", "1e5\n", "w:1e5"},
      {"CR LF reads like LF", "GRAVITY=9.81\r\nRUN\r\n", "w:GRAVITY|n:9.81|w:RUN"},
      {"tabs read as blanks", "1\t2\n", "n:1.|n:2."},
      {"no final line end", "STOP", "w:STOP"},
  };
  for (const Case& c : cases) EXPECT_EQ(shown(c.text), c.items) << c.name;
}

TEST(Normaliser, RepeatOverflowIsReportedAndTruncated) {
  // Nine copies of a 60-character group exceed 500 characters.
  const std::string group(60, '1');
  const std::string line = "9(" + group + ")";
  CapturedReport r;
  std::vector<std::string> pieces;
  split_line(line, r.report, pieces);
  std::size_t total = 0;
  for (const std::string& p : pieces) total += p.size() + 1;
  EXPECT_EQ(total - 1, 500u);
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[3], " ***   INPUT DATA RECORD TOO LONG DUE TO REPEAT    FEATURE   ***");
  EXPECT_EQ(lines[5], " ***   DATA TRUNCATED ON THE FOLLOWING LINE    ***");
  EXPECT_EQ(lines[7], " " + line + std::string(80 - line.size(), ' '));  // all 80 columns
}

TEST(ItemReader, NumbersWordsAndPushBack) {
  CapturedReport r;
  const std::vector<Item> items = items_of("1.5 FOUNDATION WIDGET 2E3");
  ItemReader reader(items, r.report);
  Real v = -1;
  EXPECT_EQ(reader.number(v), ReadStatus::Ok);
  EXPECT_FLOAT_EQ(v, 1.5f);
  // A word is never a number; a known keyword stays for the caller.
  EXPECT_EQ(reader.number(v), ReadStatus::Word);
  Code code;
  EXPECT_EQ(reader.word(code), ReadStatus::Ok);
  EXPECT_EQ(code.view(), "FOUN");
  EXPECT_EQ(keyword_number(code), kFoundation);
  EXPECT_TRUE(r.text().find(" *** INPUT ERROR ***    ALPHANUMERIC ENCOUNTERED - FOUNDATION WIDGET 2E,") !=
              std::string::npos);
}

TEST(ItemReader, MalformedAndOutOfRangeNumbers) {
  CapturedReport r;
  const std::vector<Item> items = items_of("1.2.3\n1E60\n1E-60\n+.5\n");
  ItemReader reader(items, r.report);
  Real v = -1;
  EXPECT_EQ(reader.number(v), ReadStatus::Word);
  EXPECT_EQ(reader.number(v), ReadStatus::Word);
  EXPECT_EQ(reader.number(v), ReadStatus::Ok);
  EXPECT_EQ(v, 0.0f);
  EXPECT_EQ(reader.number(v), ReadStatus::Ok);
  EXPECT_FLOAT_EQ(v, 0.5f);
  EXPECT_NE(r.text().find("INVALID NUMBER - 1.2.3"), std::string::npos);
  EXPECT_NE(r.text().find("INVALID NUMBER - 1E60"), std::string::npos);
}

TEST(ItemReader, EndOfInputMessages) {
  CapturedReport r;
  const std::vector<Item> none;
  ItemReader reader(none, r.report);
  Real v = 7;
  EXPECT_EQ(reader.number(v), ReadStatus::Ok);  // a missing number reads as 0
  EXPECT_EQ(v, 0.0f);
  Code code;
  EXPECT_EQ(reader.word(code), ReadStatus::End);
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[2], " *** INPUT ERROR ***    END OF FILE ENCOUNTEREDW   HILE READING");
  EXPECT_EQ(lines[3], "                       NUMBER   1 OF   1 NUMBERS TO BE REA D");
  EXPECT_EQ(lines[6], " *** INPUT ERROR ***    END OF FILE ENCOUNTERED WHILE");
  EXPECT_EQ(lines[7], "                       READING   1 ALPHANUMERIC WORDS");
}

// Read as a keyword, a number with an exponent shows four blanks (it is right-aligned), so
// at top level it is ignored like a blank word; a plain number is an unrecognised keyword.
TEST(ItemReader, ExponentNumberAsKeywordIsBlank) {
  CapturedReport r;
  const std::vector<Item> items = items_of("2.5E+02 250");
  ItemReader reader(items, r.report);
  Code code;
  ASSERT_EQ(reader.word(code), ReadStatus::Ok);
  EXPECT_EQ(keyword_number(code), kBlank);
  reader.push_back();
  Real v = 0;
  EXPECT_EQ(reader.number(v), ReadStatus::Ok);
  EXPECT_FLOAT_EQ(v, 250.0f);
  const auto run = testing::read_project("2.5E+02\n250\nSTOP\n");
  EXPECT_FALSE(testing::contains(run.report, "UNRECOGNIZED KEYWORD - 2.5E")) << run.report;
  EXPECT_TRUE(testing::contains(run.report, " UNRECOGNIZED KEYWORD - 250.")) << run.report;
}

TEST(Keywords, TableAndUnknownWords) {
  EXPECT_EQ(keyword_number(Code::of("RUN")), kRun);
  EXPECT_EQ(keyword_number(Code::of("HALF-SPACE")), kHalfSpace);
  EXPECT_EQ(keyword_number(Code::of("END-BEARING")), kEndBearing);
  EXPECT_EQ(keyword_number(Code::of("PAD")), kPad);
  EXPECT_EQ(keyword_number(Code::of("NONQUADRATIC")), kNonQuadratic);
  EXPECT_EQ(keyword_number(Code::of("RUNNING")), kUnknown);  // "RUNN" is not "RUN "
  EXPECT_EQ(keyword_number(Code::of("echo")), kUnknown);     // no case conversion
}

}  // namespace
}  // namespace korval::engine
