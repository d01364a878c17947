#include "engine/report/field.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace korval::engine {
namespace {

// Text of a value that is not finite, as the field shows it.
const char* non_finite_text(double v) {
  if (std::isnan(v)) return "NaN";
  return v > 0 ? "Inf" : "-Inf";
}

// Adds one unit in the last place of digits[0..n); returns true on a carry out.
bool increment(char* digits, int n) {
  for (int k = n; k-- > 0;) {
    if (digits[k] != '9') {
      ++digits[k];
      return false;
    }
    digits[k] = '0';
  }
  return true;
}

// The decimal digits of |v| from to_chars with `spare` more digits than needed, and whether
// the first dropped digit decides the rounding. A carry from the spare digits into the
// kept ones leaves only zeros behind; only then is the exact expansion needed.
struct Digits {
  char text[420];
  int length = 0;
};

Digits convert(double av, std::chars_format format, int precision) {
  Digits d;
  d.length = static_cast<int>(std::to_chars(d.text, d.text + sizeof d.text, av, format, precision).ptr - d.text);
  return d;
}

bool spare_digits_decide(const char* spare, int count) {
  for (int k = 0; k < count; ++k)
    if (spare[k] != '0') return true;
  return false;
}

constexpr int kSpare = 3;
constexpr int kExactSpare = 25;

// |v| with d decimals, rounded half away from zero, as "<whole>.<fraction>" into out;
// returns its length.
int fixed_text(double av, int d, char* out) {
  Digits c = convert(av, std::chars_format::fixed, d + kSpare);
  const char* point = static_cast<const char*>(std::memchr(c.text, '.', static_cast<std::size_t>(c.length)));
  if (!spare_digits_decide(point + 2 + d, kSpare - 1)) {
    c = convert(av, std::chars_format::fixed, d + kExactSpare);
    point = static_cast<const char*>(std::memchr(c.text, '.', static_cast<std::size_t>(c.length)));
  }
  // A guard digit in front takes the carry of 9.99 -> 10.00.
  const int whole = static_cast<int>(point - c.text);
  char digits[440];
  digits[0] = '0';
  std::memcpy(digits + 1, c.text, static_cast<std::size_t>(whole));
  std::memcpy(digits + 1 + whole, point + 1, static_cast<std::size_t>(d));
  if (point[1 + d] >= '5') increment(digits, 1 + whole + d);
  const int first = digits[0] == '0' ? 1 : 0;
  int len = 0;
  for (int k = first; k < 1 + whole; ++k) out[len++] = digits[k];
  out[len++] = '.';
  for (int k = 0; k < d; ++k) out[len++] = digits[1 + whole + k];
  return len;
}

// |v| = D1.D2...Dn x 10^exp10 with n significant digits rounded half away from zero.
void significant_digits(double av, int n, char* digits, int& exp10) {
  if (av == 0.0) {
    std::memset(digits, '0', static_cast<std::size_t>(n));
    exp10 = 0;
    return;
  }
  Digits c = convert(av, std::chars_format::scientific, n - 1 + kSpare);  // d.ddd...e+XX
  const char* e = static_cast<const char*>(std::memchr(c.text, 'e', static_cast<std::size_t>(c.length)));
  // Mantissa digits are c.text[0] and c.text[2...]; the first dropped one is the n-th after the point.
  if (!spare_digits_decide(c.text + 2 + n, kSpare - 1)) {
    c = convert(av, std::chars_format::scientific, n - 1 + kExactSpare);
    e = static_cast<const char*>(std::memchr(c.text, 'e', static_cast<std::size_t>(c.length)));
  }
  digits[0] = c.text[0];
  std::memcpy(digits + 1, c.text + 2, static_cast<std::size_t>(n - 1));
  const char* end = c.text + c.length;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exp10);
  if (c.text[1 + n] >= '5' && increment(digits, n)) {
    digits[0] = '1';
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
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  field({buf, static_cast<std::size_t>(r.ptr - buf)}, w);
  return *this;
}

Record& Record::f(double value, int w, int d) {
  d = d < 0 ? 0 : (d > 60 ? 60 : d);
  if (!std::isfinite(value)) {
    field(non_finite_text(value), w);
    return *this;
  }
  char text[448];
  char* body = text + 1;
  int len = fixed_text(std::fabs(value), d, body);
  bool zero = true;
  for (int k = 0; k < len; ++k)
    if (body[k] != '0' && body[k] != '.') zero = false;
  const bool negative = value < 0 && !zero;
  // The zero before the point is optional: it is dropped when the field is too narrow for it.
  if (len + (negative ? 1 : 0) > w && d > 0 && body[0] == '0') {
    ++body;
    --len;
  }
  if (negative) {
    *--body = '-';
    ++len;
  }
  field({body, static_cast<std::size_t>(len)}, w);
  return *this;
}

void Record::exponent_field(double value, int w, int d, bool one_digit_before_point) {
  d = d < 1 ? 1 : (d > 60 ? 60 : d);
  if (!std::isfinite(value)) {
    field(non_finite_text(value), w);
    return;
  }
  const int n = one_digit_before_point ? d + 1 : d;
  char digits[64];
  int exp10 = 0;
  significant_digits(std::fabs(value), n, digits, exp10);
  bool zero = true;
  for (int k = 0; k < n; ++k)
    if (digits[k] != '0') zero = false;
  char s[96];
  int len = 0;
  if (value < 0 && !zero) s[len++] = '-';
  if (one_digit_before_point) {
    s[len++] = digits[0];
    s[len++] = '.';
    std::memcpy(s + len, digits + 1, static_cast<std::size_t>(n - 1));
    len += n - 1;
  } else {
    // 0.D1D2...Dn x 10^(exp10 + 1); the zero before the point goes when the field is narrow.
    s[len++] = '0';
    s[len++] = '.';
    std::memcpy(s + len, digits, static_cast<std::size_t>(n));
    len += n;
    if (!zero) exp10 += 1;
  }
  const int ae = std::abs(exp10);
  if (ae <= 99) {
    s[len++] = 'E';
    s[len++] = exp10 < 0 ? '-' : '+';
  } else {
    s[len++] = exp10 < 0 ? '-' : '+';
    s[len++] = static_cast<char>('0' + ae / 100);
  }
  s[len++] = static_cast<char>('0' + ae / 10 % 10);
  s[len++] = static_cast<char>('0' + ae % 10);
  const char* start = s;
  if (!one_digit_before_point && len > w) {
    // Drop the optional zero: "-0.123E+04" becomes "-.123E+04".
    char* zero_at = s + (s[0] == '-' ? 1 : 0);
    std::memmove(zero_at, zero_at + 1, static_cast<std::size_t>(s + len - zero_at - 1));
    --len;
  }
  field({start, static_cast<std::size_t>(len)}, w);
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
