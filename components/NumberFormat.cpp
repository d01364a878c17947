#include "components/NumberFormat.hpp"

#include <locale.h>

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace korval::components {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of decimal digits that starts at `i`.
std::size_t DigitRun(std::string_view s, std::size_t i) {
  std::size_t n = 0;
  while (i + n < s.size() && IsDigit(s[i + n])) ++n;
  return n;
}

bool HasNumberSyntax(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t whole = DigitRun(s, i);
  i += whole;
  std::size_t fraction = 0;
  if (i < s.size() && s[i] == '.') {
    ++i;
    fraction = DigitRun(s, i);
    i += fraction;
  }
  if (whole == 0 && fraction == 0) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t exponent = DigitRun(s, i);
    if (exponent == 0) return false;
    i += exponent;
  }
  return i == s.size();
}

// The "C" locale, so that conversions read a full stop whatever the process locale is.
locale_t ClassicLocale() {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return classic;
}

}  // namespace

std::string FormatGeneral(long double value, int digits) {
  assert(digits >= 1 && digits <= 30);
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // d.ddd...e+XX with exactly `digits` significant digits, correctly rounded.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, digits - 1);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t e_pos = text.find('e');
  std::string mantissa;
  for (char c : text.substr(0, e_pos))
    if (c != '.') mantissa.push_back(c);
  int exponent10 = 0;
  std::from_chars(text.data() + e_pos + 1 + (text[e_pos + 1] == '+'), text.data() + text.size(), exponent10);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out = value < 0 ? "-" : "";
  const int before_point = exponent10 + 1;  // digits before the point; <= 0 below 1
  if (before_point > digits || before_point < -3) {
    out += mantissa[0];
    if (mantissa.size() > 1) out += "." + mantissa.substr(1);
    out += 'E';
    out += std::to_string(exponent10);
  } else if (before_point <= 0) {
    out += "0." + std::string(static_cast<std::size_t>(-before_point), '0') + mantissa;
  } else {
    const auto n = static_cast<std::size_t>(before_point);
    if (mantissa.size() <= n) {
      out += mantissa + std::string(n - mantissa.size(), '0');
    } else {
      out += mantissa.substr(0, n) + "." + mantissa.substr(n);
    }
  }
  return out;
}

std::string FormatLongReal(long double value) {
  if (!std::isfinite(value)) return FormatGeneral(value, kCellDigits);
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t e_pos = text.find('e');
  int exponent10 = 0;
  std::from_chars(text.data() + e_pos + 1 + (text[e_pos + 1] == '+'), text.data() + text.size(), exponent10);
  const std::string digits = std::to_string(exponent10 < 0 ? -exponent10 : exponent10);
  std::string out = std::signbit(value) && value != 0 ? "-" : " ";
  out += text.substr(0, e_pos);
  out += exponent10 < 0 ? "E-" : "E+";
  out += std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
  return out;
}

NumberParse ParseNumber(std::string_view text, long double& value) {
  if (!HasNumberSyntax(text)) return NumberParse::kInvalid;
  const std::string copy(text);
  const long double v = strtold_l(copy.c_str(), nullptr, ClassicLocale());
  if (std::isinf(v)) return NumberParse::kOutOfRange;
  value = v;
  return NumberParse::kOk;
}

}  // namespace korval::components
