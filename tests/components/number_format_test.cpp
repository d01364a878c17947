// The general number format (8 and 18 significant digits) and the number syntax read back.
#include "components/NumberFormat.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace kc = korval::components;

namespace {

TEST(NumberFormat, GeneralFormat) {
  const struct {
    long double value;
    int digits;
    const char* expected;
  } cases[] = {
      {32.2L, 8, "32.2"},
      {100, 8, "100"},
      {0.00012345678L, 8, "0.00012345678"},
      {0.0001L, 8, "0.0001"},
      {0.00001L, 8, "1E-5"},
      {123456789, 8, "1.2345679E8"},
      {12345678, 8, "12345678"},
      {99999999.7L, 8, "1E8"},  // rounding carries into a ninth digit
      {2.0L / 3, 8, "0.66666667"},
      {1.23456789123L, 8, "1.2345679"},
      {-2.5L, 8, "-2.5"},
      {0, 8, "0"},
      {-0.0L, 8, "0"},
      {1.5e-300L, 8, "1.5E-300"},
      {1.5e4000L, 8, "1.5E4000"},
      {1.0L / 3, 18, "0.333333333333333333"},
      {123456789012345678.0L, 18, "123456789012345678"},
      {1e18L, 18, "1E18"},
      {3.14159265358979323846L, 18, "3.14159265358979324"},
      {std::numeric_limits<long double>::infinity(), 8, "INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(kc::FormatGeneral(c.value, c.digits), c.expected) << c.expected;
}

TEST(NumberFormat, LongReal) {
  const struct {
    long double value;
    const char* expected;
  } cases[] = {
      {32.2L, " 3.22000000000000E+0001"},
      {0, " 0.00000000000000E+0000"},
      {-0.0L, " 0.00000000000000E+0000"},
      {-1.25L, "-1.25000000000000E+0000"},
      {1.0L / 3, " 3.33333333333333E-0001"},
      {9.9999999999999996L, " 1.00000000000000E+0001"},  // rounding carries into the exponent
      {1.5e-300L, " 1.50000000000000E-0300"},
      {-2e4000L, "-2.00000000000000E+4000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kc::FormatLongReal(c.value), c.expected) << c.expected;
    EXPECT_EQ(kc::FormatLongReal(c.value).size(), 23u);
  }
}

TEST(NumberFormat, NumberSyntax) {
  const struct {
    const char* text;
    kc::NumberParse result;
    long double value;
  } cases[] = {
      {"2.5", kc::NumberParse::kOk, 2.5L},   {".5", kc::NumberParse::kOk, 0.5L},
      {"5.", kc::NumberParse::kOk, 5},       {"-1e-3", kc::NumberParse::kOk, -0.001L},
      {"+3", kc::NumberParse::kOk, 3},       {"4E2", kc::NumberParse::kOk, 400},
      {"1e-5000", kc::NumberParse::kOk, 0},  {"1e5000", kc::NumberParse::kOutOfRange, 0},
      {"", kc::NumberParse::kInvalid, 0},    {".", kc::NumberParse::kInvalid, 0},
      {"1e", kc::NumberParse::kInvalid, 0},  {"e5", kc::NumberParse::kInvalid, 0},
      {"1,5", kc::NumberParse::kInvalid, 0}, {"0x10", kc::NumberParse::kInvalid, 0},
      {"inf", kc::NumberParse::kInvalid, 0}, {"nan", kc::NumberParse::kInvalid, 0},
      {" 1", kc::NumberParse::kInvalid, 0},  {"1 ", kc::NumberParse::kInvalid, 0},
  };
  for (const auto& c : cases) {
    long double v = 0;
    EXPECT_EQ(kc::ParseNumber(c.text, v), c.result) << '"' << c.text << '"';
    if (c.result == kc::NumberParse::kOk) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

}  // namespace
