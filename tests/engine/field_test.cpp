// Fixed-format fields against the rules of Fortran edit descriptors, worked out by hand.
#include "engine/report/field.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using korval::engine::Record;

namespace {

struct Case {
  const char* name;
  char kind;  // I, F, E, P (1PE)
  double value;
  int w, d;
  const char* expected;
};

std::string format(const Case& c) {
  Record r;
  switch (c.kind) {
    case 'I': r.i(static_cast<long long>(c.value), c.w); break;
    case 'F': r.f(c.value, c.w, c.d); break;
    case 'E': r.e(c.value, c.w, c.d); break;
    default: r.pe(c.value, c.w, c.d); break;
  }
  return std::string(r.text());
}

TEST(Field, EditDescriptors) {
  const float third = 1.0f / 3.0f;
  const Case cases[] = {
      {"integer", 'I', 42, 3, 0, " 42"},
      {"negative integer", 'I', -7, 3, 0, " -7"},
      {"integer too wide", 'I', 1234, 3, 0, "***"},
      {"fixed", 'F', 3.14159, 8, 3, "   3.142"},
      {"fixed negative", 'F', -2.5, 7, 2, "  -2.50"},
      {"fixed rounds half away (exact tie)", 'F', 0.125, 5, 2, " 0.13"},
      {"fixed rounds negative tie away", 'F', -0.375, 6, 2, " -0.38"},
      {"fixed carry into integer part", 'F', 9.9996, 7, 3, " 10.000"},
      {"fixed drops the optional zero", 'F', 0.5, 4, 3, ".500"},
      {"fixed negative drops the zero", 'F', -0.5, 5, 3, "-.500"},
      {"fixed too wide", 'F', 123456.0, 7, 2, "*******"},
      {"fixed negative zero has no sign", 'F', -0.0001, 6, 2, "  0.00"},
      {"fixed single-precision value", 'F', third, 8, 4, "  0.3333"},
      {"fixed of gravity", 'F', 32.2f, 7, 2, "  32.20"},
      {"E with leading zero", 'E', 1234.0, 10, 3, " 0.123E+04"},
      {"E negative fills the field", 'E', -1234.0, 10, 3, "-0.123E+04"},
      {"E rounds up the exponent", 'E', 999.6, 10, 3, " 0.100E+04"},
      {"E of zero", 'E', 0.0, 10, 3, " 0.000E+00"},
      {"E small", 'E', 0.00012345, 10, 3, " 0.123E-03"},
      {"E drops the zero when narrow", 'E', -1234.0, 9, 3, "-.123E+04"},
      {"1PE", 'P', 12345.6, 13, 5, "  1.23456E+04"},
      {"1PE negative", 'P', -0.0123456, 13, 5, " -1.23456E-02"},
      {"1PE rounding carry", 'P', 9.99996, 11, 4, " 1.0000E+01"},
      {"1PE of zero", 'P', 0.0, 11, 4, " 0.0000E+00"},
      {"1PE tight", 'P', 1.5, 10, 4, "1.5000E+00"},
      {"1PE negative does not fit", 'P', -1.5, 10, 4, "**********"},
      {"1PE three-digit exponent", 'P', 1.0e120, 11, 4, " 1.0000+120"},
      {"1PE of 6 digits", 'P', 0.000123456, 12, 6, "1.234560E-04"},
  };
  for (const Case& c : cases) EXPECT_EQ(format(c), c.expected) << c.name;
}

TEST(Field, NonFiniteValuesAreVisible) {
  EXPECT_EQ(std::string(Record().f(std::numeric_limits<double>::quiet_NaN(), 6, 2).text()), "   NaN");
  EXPECT_EQ(std::string(Record().pe(-INFINITY, 11, 4).text()), "       -Inf");
  EXPECT_EQ(std::string(Record().e(INFINITY, 2, 1).text()), "**");
}

TEST(Field, TextAndBlanks) {
  Record r;
  r.x(2).a("ft", 2).a("abc", 5).a("abcdef", 3).a("|");
  EXPECT_EQ(r.text(), "  ft  abcabc|");
}

TEST(Field, RecordIsBoundedByItsCapacity) {
  Record r;
  r.x(Record::kCapacity + 50).a("more");
  EXPECT_EQ(static_cast<int>(r.text().size()), Record::kCapacity);
}

}  // namespace
