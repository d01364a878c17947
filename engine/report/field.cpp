#include "engine/report/field.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace korval::engine {
namespace {

// Text of a value that is not finite, as the field shows it.
const char* non_finite_text(double v) {
  if (std::isnan(v)) return "NaN";
  return v > 0 ? "Inf" : "-Inf";
}

// Adds one unit in the last place of a string of decimal digits; returns true on a carry out.
bool increment_digits(std::string& digits) {
  for (std::size_t k = digits.size(); k-- > 0;) {
    if (digits[k] != '9') {
      ++digits[k];
      return false;
    }
    digits[k] = '0';
  }
  return true;
}

// |v| with d decimals, rounded half away from zero: integer digits and fraction digits.
// The conversion carries 25 spare digits, so the first dropped digit is the exact one.
void fixed_digits(double av, int d, std::string& whole, std::string& frac) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*f", d + 25, av);
  const char* point = std::strchr(buf, '.');
  whole.assign(static_cast<const char*>(buf), point);
  frac.assign(point + 1, point + 1 + d);
  if (point[1 + d] >= '5') {
    std::string all = whole + frac;
    if (increment_digits(all)) all.insert(all.begin(), '1');
    whole = all.substr(0, all.size() - d);
    frac = all.substr(all.size() - d);
  }
}

// |v| = 0.D1D2...Dn x 10^exp10, the n digits rounded half away from zero.
void significant_digits(double av, int n, std::string& digits, int& exp10) {
  if (av == 0.0) {
    digits.assign(n, '0');
    exp10 = 0;
    return;
  }
  char buf[128];
  std::snprintf(buf, sizeof buf, "%.*e", n + 25, av);  // d.ddd...e+XX
  digits.clear();
  digits.push_back(buf[0]);
  const char* p = buf + 2;
  while (static_cast<int>(digits.size()) < n) digits.push_back(*p++);
  const bool up = *p >= '5';
  exp10 = std::atoi(std::strchr(buf, 'e') + 1) + 1;
  if (up && increment_digits(digits)) {
    digits.insert(digits.begin(), '1');
    digits.pop_back();
    ++exp10;
  }
}

}  // namespace

void Record::put(std::string_view s) {
  const int room = kCapacity - len_;
  const int n = static_cast<int>(s.size()) < room ? static_cast<int>(s.size()) : room;
  std::memcpy(buf_ + len_, s.data(), static_cast<std::size_t>(n));
  len_ += n;
}

void Record::fill(char c, int n) {
  for (int k = 0; k < n && len_ < kCapacity; ++k) buf_[len_++] = c;
}

void Record::field(std::string_view s, int w) {
  if (static_cast<int>(s.size()) > w) {
    fill('*', w);
    return;
  }
  fill(' ', w - static_cast<int>(s.size()));
  put(s);
}

Record& Record::x(int n) {
  fill(' ', n);
  return *this;
}

Record& Record::a(std::string_view text) {
  put(text);
  return *this;
}

Record& Record::a(std::string_view text, int w) {
  if (static_cast<int>(text.size()) >= w) {
    put(text.substr(0, static_cast<std::size_t>(w)));
  } else {
    fill(' ', w - static_cast<int>(text.size()));
    put(text);
  }
  return *this;
}

Record& Record::i(long long value, int w) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld", value);
  field(buf, w);
  return *this;
}

Record& Record::f(double value, int w, int d) {
  d = d < 0 ? 0 : (d > 60 ? 60 : d);
  if (!std::isfinite(value)) {
    field(non_finite_text(value), w);
    return *this;
  }
  std::string whole, frac;
  fixed_digits(std::fabs(value), d, whole, frac);
  const bool zero = whole.find_first_not_of('0') == std::string::npos &&
                    frac.find_first_not_of('0') == std::string::npos;
  std::string s = (value < 0 && !zero) ? "-" : "";
  // The zero before the point is optional: it is dropped when the field is too narrow for it.
  const bool optional_zero = whole == "0";
  s += whole;
  s += '.';
  s += frac;
  if (optional_zero && static_cast<int>(s.size()) > w && d > 0) s.erase(s.find('0'), 1);
  field(s, w);
  return *this;
}

void Record::exponent_field(double value, int w, int d, bool one_digit_before_point) {
  d = d < 1 ? 1 : (d > 60 ? 60 : d);
  if (!std::isfinite(value)) {
    field(non_finite_text(value), w);
    return;
  }
  std::string digits;
  int exp10 = 0;
  const int n = one_digit_before_point ? d + 1 : d;
  significant_digits(std::fabs(value), n, digits, exp10);
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  std::string s = (value < 0 && !zero) ? "-" : "";
  bool optional_zero = false;
  if (one_digit_before_point) {
    s += digits[0];
    s += '.';
    s += digits.substr(1);
    if (!zero) exp10 -= 1;
  } else {
    optional_zero = true;
    s += "0.";
    s += digits;
  }
  char ex[16];
  const int ae = std::abs(exp10);
  if (ae <= 99)
    std::snprintf(ex, sizeof ex, "E%c%02d", exp10 < 0 ? '-' : '+', ae);
  else
    std::snprintf(ex, sizeof ex, "%c%03d", exp10 < 0 ? '-' : '+', ae);
  s += ex;
  if (optional_zero && static_cast<int>(s.size()) > w) s.erase(s.find('0'), 1);
  field(s, w);
}

Record& Record::e(double value, int w, int d) {
  exponent_field(value, w, d, false);
  return *this;
}

Record& Record::pe(double value, int w, int d) {
  exponent_field(value, w, d, true);
  return *this;
}

}  // namespace korval::engine
