#include "components/Evaluator.hpp"

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "components/Errors.hpp"
#include "components/ExtendedMath.hpp"
#include "components/NumberFormat.hpp"

namespace korval::components {
namespace {

using Real = long double;

[[noreturn]] void Fail(const char* reason) { throw EAssignError(std::string("Entry could not be evaluated:\n") + reason); }
[[noreturn]] void Fault(const char* reason) { throw EMathError(std::string("Entry could not be evaluated:\n") + reason); }

// Every computed value passes here, so that no infinity or NaN goes back into the text.
Real Checked(Real v) {
  if (std::isinf(v)) Fault("number too large (overflow)");
  if (std::isnan(v)) Fault("invalid arithmetic operation");
  return v;
}

Real Divide(Real a, Real b) {
  if (b == 0) Fault("division by zero");
  return Checked(a / b);
}

Real Logarithm(Real x, Real (*log)(Real)) {
  if (x <= 0) Fault("logarithm of zero or a negative number");
  return log(x);
}

Real Root(Real x) {
  if (x < 0) Fault("square root of a negative number");
  return std::sqrt(x);
}

// sqrt(1 - x^2), the cosine of arcsin x.
Real Complement(Real x) {
  if (std::fabs(x) > 1) Fault("arcsin and arccos take values from -1 to 1");
  return std::sqrt(1 - x * x);
}

bool IsIntegral(Real x) { return x == std::trunc(x); }

// Nearest integer, halves to the even neighbour.
Real RoundHalfEven(Real x) {
  const Real r = std::round(x);  // halves away from zero
  if (std::fabs(x - std::trunc(x)) == 0.5L && std::fmod(r, 2.0L) != 0) return r - std::copysign(1.0L, x);
  return r;
}

Real Factorial(Real x) {
  if (!IsIntegral(x)) Fail("! (factoral) applicable to integers only");
  Real product = 1;
  for (Real k = std::fabs(x); k > 1; k -= 1) product = Checked(product * k);
  return x < 0 ? -product : product;
}

Real Power(Real base, Real exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  if (base == 0) Fault("division by zero");
  if (IsIntegral(exponent) && std::fabs(exponent) <= 2147483647.0L) return Checked(IntPower(base, static_cast<long long>(exponent)));
  if (base < 0) {
    if (!IsIntegral(exponent)) Fault("negative number raised to a non-integral power");
    return Checked(std::pow(base, exponent));
  }
  return Checked(std::exp(exponent * std::log(base)));
}

// Truncation toward zero to a 64-bit integer, for the % operator.
std::int64_t TruncateToInt64(Real x) {
  const Real t = std::trunc(x);
  if (!(t >= -9223372036854775808.0L && t < 9223372036854775808.0L)) Fault("number too large (overflow)");
  return static_cast<std::int64_t>(t);
}

std::string Remainder(Real left, Real right) {
  const std::int64_t a = TruncateToInt64(left);
  const std::int64_t b = TruncateToInt64(right);
  if (b == 0) Fault("% (modulo) by zero");
  return std::to_string(b == -1 ? 0 : a % b);  // % has the sign of the left operand
}

struct Function {
  std::string_view name;
  Real (*apply)(Real);
};

// Tried in this order: a name that is a prefix of another comes after it.
constexpr Function kFunctions[] = {
    {"arctanh", [](Real x) { return std::fabs(x) >= 1 ? std::copysign(1.1e4932L, x) : std::atanh(x); }},
    {"arctan", [](Real x) { return std::atan(x); }},
    {"cotan", [](Real x) { return Divide(1, std::tan(x)); }},
    {"tanh", [](Real x) { return std::tanh(x); }},
    {"tan", [](Real x) { return Checked(std::tan(x)); }},
    {"arccosh", [](Real x) { return x <= 1 ? 0.0L : std::acosh(x); }},
    {"arccos", [](Real x) { return std::atan2(Complement(x), x); }},
    {"cosh", [](Real x) { return Checked(std::cosh(x)); }},
    {"cosec", [](Real x) { return Divide(1, std::sin(x)); }},
    {"cos", [](Real x) { return std::cos(x); }},
    {"sec", [](Real x) { return Divide(1, std::cos(x)); }},
    {"arcsinh", [](Real x) { return std::asinh(x); }},
    {"arcsin", [](Real x) { return std::atan2(x, Complement(x)); }},
    {"sinh", [](Real x) { return Checked(std::sinh(x)); }},
    {"sin", [](Real x) { return std::sin(x); }},
    {"csc", [](Real x) { return Divide(1, std::sin(x)); }},
    {"abs", [](Real x) { return std::fabs(x); }},
    {"frac", [](Real x) { return x - std::trunc(x); }},
    {"int", [](Real x) { return std::trunc(x); }},
    {"ln", [](Real x) { return Logarithm(x, [](Real v) { return std::log(v); }); }},
    {"round", RoundHalfEven},
    {"ceil", [](Real x) { return std::ceil(x); }},
    {"floor", [](Real x) { return std::floor(x); }},
    {"log", [](Real x) { return Logarithm(x, [](Real v) { return std::log10(v); }); }},
    {"sqrt", Root},
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// An operand with its pairs of minus signs removed, lower-cased.
std::string Normalised(std::string_view operand) {
  std::string s(operand);
  for (std::size_t at; (at = s.find("--")) != std::string::npos;) s.erase(at, 2);
  return Lower(s);
}

Real Hexadecimal(std::string_view s) {
  const std::string_view digits = s.substr(1);
  if (digits.empty()) Fail("invalid use of $ (hex function)");
  std::uint64_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else Fail("invalid use of $ (hex function)");
    // Leading zeros are allowed; a value beyond 64 bits is not a hexadecimal integer.
    if (value > (UINT64_MAX >> 4)) Fail("invalid use of $ (hex function)");
    value = value * 16 + static_cast<std::uint64_t>(d);
  }
  return static_cast<Real>(value);
}

Real Decimal(std::string_view s) {
  Real v = 0;
  switch (ParseNumber(s, v)) {
    case NumberParse::kOk: return v;
    case NumberParse::kOutOfRange: Fault("number too large (overflow)");
    case NumberParse::kInvalid: break;
  }
  Fail("invalid character(s) in expression");
}

bool IsOperatorChar(char c) { return std::string_view("^*/%+=|&").find(c) != std::string_view::npos; }

// Whether the minus at `i` is a sign that belongs to the operand after it.
bool IsSign(const std::string& text, std::size_t i) {
  return i == 0 || IsFunctionName(std::string_view(text).substr(0, i)) ||
         std::string_view("%&*+/=E^e|-").find(text[i - 1]) != std::string_view::npos;
}

std::string ApplyOperator(char op, Real left, Real right) {
  switch (op) {
    case '^': return FormatGeneral(Power(left, right), kEntryDigits);
    case '*': return FormatGeneral(Checked(left * right), kEntryDigits);
    case '/': return FormatGeneral(Divide(left, right), kEntryDigits);
    case '%': return Remainder(left, right);
    case '&': return left != 0 && right != 0 ? "1" : "0";
    case '+': return FormatGeneral(Checked(left + right), kEntryDigits);
    case '-': return FormatGeneral(Checked(left - right), kEntryDigits);
    case '|': return left != 0 || right != 0 ? "1" : "0";
    default: return left == right ? "1" : "0";  // '='
  }
}

}  // namespace

bool IsFunctionName(std::string_view text) {
  const std::string s = Lower(text);
  if (s == "!" || s == "$") return true;
  for (const Function& f : kFunctions)
    if (s == f.name) return true;
  return false;
}

long double EvaluateOperand(std::string_view operand) {
  // Prefixes and suffixes are peeled off from the outside in and applied from the inside out.
  // What remains of a normalised operand has no minus pairs either, so one pass suffices.
  const std::string normalised = Normalised(operand);
  std::string_view s = normalised;
  std::vector<Real (*)(Real)> pending;
  Real value;
  for (;;) {
    if (s == "pi" || s == "-pi") {
      value = s[0] == '-' ? -std::numbers::pi_v<Real> : std::numbers::pi_v<Real>;
      break;
    }
    if (s == "e" || s == "-e") {
      value = s[0] == '-' ? -std::exp(1.0L) : std::exp(1.0L);
      break;
    }
    const Function* prefix = nullptr;
    for (const Function& f : kFunctions) {
      if (s.starts_with(f.name)) {
        prefix = &f;
        break;
      }
    }
    if (prefix) {
      pending.push_back(prefix->apply);
      s.remove_prefix(prefix->name.size());
    } else if (!s.empty() && s.back() == '!') {
      pending.push_back(Factorial);
      s.remove_suffix(1);
    } else {
      value = !s.empty() && s[0] == '$' ? Hexadecimal(s) : Decimal(s);
      break;
    }
  }
  for (auto it = pending.rbegin(); it != pending.rend(); ++it) value = Checked((*it)(value));
  return value;
}

long double EvaluateEntry(std::string_view input) {
  if (input.empty()) Fail("entry cannot be blank");
  std::string text;
  for (char c : input)
    if (c != ' ' && c != '\t') text.push_back(c);

  // Parentheses, innermost first; a '(' without a ')' after it stays and fails as a character.
  for (std::size_t close; (close = text.find(')')) != std::string::npos;) {
    const std::size_t open = text.rfind('(', close);
    if (open == std::string::npos) Fail("() (parentheses) do not match");
    const Real inner = EvaluateEntry(std::string_view(text).substr(open + 1, close - open - 1));
    text.replace(open, close - open + 1, FormatGeneral(inner, kEntryDigits));
  }

  std::vector<std::string> operands;
  std::string operators;  // '-' here is always subtraction
  std::size_t start = 0;
  bool ends_with_operator = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool is_operator = IsOperatorChar(text[i]) || (text[i] == '-' && !IsSign(text, i));
    ends_with_operator = is_operator;
    if (!is_operator) continue;
    operands.push_back(text.substr(start, i - start));
    operators.push_back(text[i]);
    start = i + 1;
  }
  if (text.empty() || ends_with_operator) Fail("invalid expression");
  operands.push_back(text.substr(start));

  for (std::string_view pass : {"^", "*/%&", "+-|", "="}) {
    for (std::size_t i = 0; i < operators.size();) {
      if (pass.find(operators[i]) == std::string_view::npos) {
        ++i;
        continue;
      }
      const Real left = EvaluateOperand(operands[i]);
      const Real right = EvaluateOperand(operands[i + 1]);
      operands[i] = ApplyOperator(operators[i], left, right);
      operands.erase(operands.begin() + static_cast<std::ptrdiff_t>(i) + 1);
      operators.erase(i, 1);
    }
  }
  return EvaluateOperand(operands[0]);
}

}  // namespace korval::components
