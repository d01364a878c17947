// Fixed-format fields against the rules of Fortran edit descriptors, worked out by hand.
#include "engine/report/field.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

namespace {

// Reference: the exact decimal expansion from the C library, rounded half away from zero by hand.
std::string reference_fixed(double v, int w, int d) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*f", d + 40, std::fabs(v));
  std::string s(buf);
  const std::size_t point = s.find('.');
  std::string digits = s.substr(0, point) + s.substr(point + 1, d);
  if (s[point + 1 + d] >= '5') {
    int k = static_cast<int>(digits.size()) - 1;
    while (k >= 0 && digits[k] == '9') digits[k--] = '0';
    if (k < 0) digits.insert(digits.begin(), '1'); else ++digits[k];
  }
  std::string out = digits.substr(0, digits.size() - d) + "." + digits.substr(digits.size() - d);
  if (digits.find_first_not_of('0') != std::string::npos && v < 0) out = "-" + out;
  if (static_cast<int>(out.size()) > w) {
    const std::size_t zero = out.find("0.");
    if (zero == 0 || (zero == 1 && out[0] == '-')) out.erase(zero, 1);
  }
  if (static_cast<int>(out.size()) > w) return std::string(w, '*');
  return std::string(w - out.size(), ' ') + out;
}

std::string reference_1pe(double v, int w, int d) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*e", d + 40, std::fabs(v));
  std::string s(buf);
  int exp10 = std::atoi(s.c_str() + s.find('e') + 1);
  std::string digits = s.substr(0, 1) + s.substr(2, d);
  if (s[2 + d] >= '5') {
    int k = d;
    while (k >= 0 && digits[k] == '9') digits[k--] = '0';
    if (k < 0) {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exp10;
    } else {
      ++digits[k];
    }
  }
  if (v == 0) exp10 = 0;
  char ex[16];
  std::snprintf(ex, sizeof ex, "E%c%02d", exp10 < 0 ? '-' : '+', std::abs(exp10));
  std::string out = (v < 0 ? "-" : "") + digits.substr(0, 1) + "." + digits.substr(1) + ex;
  if (static_cast<int>(out.size()) > w) return std::string(w, '*');
  return std::string(w - out.size(), ' ') + out;
}

TEST(Field, AgreesWithTheExactExpansion) {
  // Single-precision values of all magnitudes, and exact ties that only the exact expansion decides.
  std::uint32_t state = 12345;
  auto next = [&] { return state = state * 1664525u + 1013904223u; };
  for (int k = 0; k < 20000; ++k) {
    const float mantissa = static_cast<float>(next() % 2000000) / 1000000.0f - 1.0f;
    const float v = std::ldexp(mantissa, static_cast<int>(next() % 60) - 30);
    const int d = static_cast<int>(next() % 6);
    ASSERT_EQ(std::string(Record().f(v, 12, d).text()), reference_fixed(v, 12, d)) << v << " d " << d;
    ASSERT_EQ(std::string(Record().pe(v, 13, d + 1).text()), reference_1pe(v, 13, d + 1)) << v << " d " << d + 1;
  }
  for (float tie : {0.125f, 2.5f, 0.0625f, -1.375f, 1234.5f, 0.5f, 9.5f})
    for (int d = 0; d < 4; ++d) {
      EXPECT_EQ(std::string(Record().f(tie, 12, d).text()), reference_fixed(tie, 12, d)) << tie << " " << d;
      EXPECT_EQ(std::string(Record().pe(tie, 13, d + 1).text()), reference_1pe(tie, 13, d + 1)) << tie << " " << d;
    }
}

}  // namespace
