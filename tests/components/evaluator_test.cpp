// The expression evaluator: values of expressions, the messages of entries it refuses, and
// arithmetic faults that must end in a message rather than a crash or a hang.
#include "components/Evaluator.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "components/Errors.hpp"
#include "components/NumberFormat.hpp"

namespace kc = korval::components;

namespace {

using Real = long double;
constexpr Real kPi = std::numbers::pi_v<Real>;

struct ValueCase {
  const char* text;
  Real expected;
};

TEST(Evaluator, Values) {
  const ValueCase cases[] = {
      // precedence, associativity, signs
      {"3+4*2", 11}, {"(3+4)*2", 14}, {"2^3^2", 64}, {"-2^2", 4}, {"10-2-3", 5}, {"8/2/2", 2},
      {"-3*2", -6}, {"2*-3", -6}, {"5--3", 8}, {"--5", 5}, {"2^-1", 0.5L}, {"((2))*(3-(1))", 4},
      {"1.5E-3*2", 0.003L}, {" 1 + 2 *\t3 ", 7}, {"2(3)", 23},
      // % & | =
      {"7%3", 1}, {"-7%3", -1}, {"7.9%2", 1}, {"7%-3", 1},
      {"1=1", 1}, {"2=1+1", 1}, {"1=2", 0}, {"0|3", 1}, {"0|0", 0}, {"2&3", 1}, {"0&3", 0}, {"2&0", 0},
      {"1+1&0", 1},  // & binds like *, before +
      // powers
      {"0^0", 1}, {"0^3", 0}, {"(-2)^3", -8}, {"2^0.5", std::sqrt(2.0L)}, {"4^-0.5", 0.5L},
      // constants and functions
      {"pi", kPi}, {"-pi", -kPi}, {"e", std::exp(1.0L)}, {"-E", -std::exp(1.0L)},
      {"sqrt(16)*2", 8}, {"SIN(PI/2)", 1}, {"cosec(pi/2)", 1}, {"csc(pi/2)", 1}, {"sec(0)", 1},
      {"cotan(pi/4)", 1}, {"cos0", 1}, {"tan(pi/4)", 1}, {"sinh0", 0}, {"cosh0", 1}, {"tanh(100000)", 1},
      {"arcsin(1)", kPi / 2}, {"arccos(1)", 0}, {"arctan(1)", kPi / 4}, {"arcsinh(0)", 0},
      {"arccosh(0.5)", 0}, {"arccosh(1)", 0}, {"arctanh(1)", 1.1e4932L}, {"arctanh(-2)", -1.1e4932L},
      {"abs-3", 3}, {"int(2.7)", 2}, {"int-2.7", -2}, {"frac(2.75)", 0.75L}, {"round(2.5)", 2}, {"round(3.5)", 4},
      {"round(-2.5)", -2}, {"ceil(2.1)", 3}, {"floor(-2.1)", -3}, {"ceil(1e10+0.5)", 10000000001.0L},
      {"ln(e)", 1}, {"log(1000)", 3}, {"sin-30", std::sin(-30.0L)}, {"sinsqrt4", std::sin(2.0L)},
      // factorial and hexadecimal
      {"4!", 24}, {"0!", 1}, {"-3!", -6}, {"3!!", 720}, {"sin5!", std::sin(120.0L)},
      {"$1F", 31}, {"$ff", 255}, {"$FFFFFFFFFFFFFFFF", 18446744073709551615.0L},
      {"$000000000000000001F", 31},  // leading zeros do not count towards the 64 bits
  };
  for (const ValueCase& c : cases) {
    const Real v = kc::EvaluateEntry(c.text);
    EXPECT_LE(std::fabs(v - c.expected), 1e-17L * std::fmax(1.0L, std::fabs(c.expected))) << c.text << " gave " << v;
  }
}

TEST(Evaluator, IntermediateValuesGoBackAsEighteenDigitText) {
  const Real v = kc::EvaluateEntry("(1/3)*3");
  EXPECT_NE(v, 1.0L);
  EXPECT_EQ(kc::FormatGeneral(v, kc::kEntryDigits), "0.999999999999999999");
}

// Whole results as 18-digit text, from an independent decimal model of the rewriting: each
// reduction goes back into the text rounded to 18 digits, so the last digit shows it.
TEST(Evaluator, ResultsToEighteenDigits) {
  const std::pair<const char*, const char*> cases[] = {
      {"1/3*3", "0.999999999999999999"},         {"1/3+1/3+1/3", "0.999999999999999999"},
      {"(1/3)^3*27", "0.999999999999999996"},    {"1/3*3=1", "0"},
      {"0.1+0.2=0.3", "1"},                      {"2*pi*sqrt(9.81/0.3)", "35.9297127133308444"},
      {"100/7", "14.2857142857142857"},          {"1e20/3", "3.33333333333333333E19"},
      {"0.0000123456789012345678", "1.23456789012345678E-5"}, {"1E-5*2", "2E-5"},
      {"2---3", "-1"},                           {"-2^-3", "-0.125"},
      {"25!", "1.5511210043330986E25"},          {"$1f!", "8.22283865417792282E33"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(kc::FormatGeneral(kc::EvaluateEntry(text), kc::kEntryDigits), expected) << text;
}

struct MessageCase {
  const char* text;
  const char* reason;
};

TEST(Evaluator, RefusedEntries) {
  const MessageCase cases[] = {
      {"", "entry cannot be blank"},
      {"()", "entry cannot be blank"},
      {"   ", "invalid expression"},
      {"5+", "invalid expression"},
      {"2*(3-)", "invalid expression"},
      {"+5", "invalid character(s) in expression"},
      {"5*/2", "invalid character(s) in expression"},
      {"(2+3", "invalid character(s) in expression"},
      {"1e+3", "invalid character(s) in expression"},
      {"abc", "invalid character(s) in expression"},
      {"sin", "invalid character(s) in expression"},
      {"2,5", "invalid character(s) in expression"},
      {"2+sin(-30)", "invalid character(s) in expression"},  // the minus after "2+sin" subtracts
      {"2+3)", "() (parentheses) do not match"},
      {")(", "() (parentheses) do not match"},
      {"$xyz", "invalid use of $ (hex function)"},
      {"$", "invalid use of $ (hex function)"},
      {"$10000000000000000", "invalid use of $ (hex function)"},
      {"$1ffffffffffffffff", "invalid use of $ (hex function)"},
      {"4.5!", "! (factoral) applicable to integers only"},
      // the left operand is evaluated first
      {"abc*$zz", "invalid character(s) in expression"},
      {"$zz*abc", "invalid use of $ (hex function)"},
  };
  for (const MessageCase& c : cases) {
    try {
      kc::EvaluateEntry(c.text);
      ADD_FAILURE() << '"' << c.text << "\" was evaluated";
    } catch (const kc::EMathError& e) {
      ADD_FAILURE() << '"' << c.text << "\" failed as arithmetic: " << e.what();
    } catch (const kc::EAssignError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Entry could not be evaluated:\n") + c.reason) << c.text;
    }
  }
}

TEST(Evaluator, ArithmeticFaultsEndInAMessage) {
  const MessageCase cases[] = {
      {"1/0", "division by zero"},
      {"0/0", "division by zero"},
      {"0^-1", "division by zero"},
      {"0^-0.5", "division by zero"},
      {"cotan(0)", "division by zero"},
      {"cosec0", "division by zero"},
      {"5%0", "% (modulo) by zero"},
      {"5%0.5", "% (modulo) by zero"},
      {"ln(0)", "logarithm of zero or a negative number"},
      {"log(-1)", "logarithm of zero or a negative number"},
      {"sqrt(-4)", "square root of a negative number"},
      {"sqrt-4", "square root of a negative number"},
      {"arcsin(2)", "arcsin and arccos take values from -1 to 1"},
      {"(-8)^(1/3)", "negative number raised to a non-integral power"},
      {"1e5000", "number too large (overflow)"},
      {"10^5000", "number too large (overflow)"},
      {"2^2147483647", "number too large (overflow)"},
      {"1e4000*1e4000", "number too large (overflow)"},
      {"sinh(20000)", "number too large (overflow)"},
      {"arctanh(1)*2", "number too large (overflow)"},
      {"3000!", "number too large (overflow)"},
      {"1e30!", "number too large (overflow)"},  // must not count down 1e30 steps
      {"1e20%3", "number too large (overflow)"},
  };
  for (const MessageCase& c : cases) {
    try {
      kc::EvaluateEntry(c.text);
      ADD_FAILURE() << '"' << c.text << "\" was evaluated";
    } catch (const kc::EMathError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Entry could not be evaluated:\n") + c.reason) << c.text;
    }
  }
}

TEST(Evaluator, Operands) {
  EXPECT_EQ(kc::EvaluateOperand("--5"), 5.0L);
  EXPECT_EQ(kc::EvaluateOperand("---5"), -5.0L);
  EXPECT_EQ(kc::EvaluateOperand("ABS--2"), 2.0L);
  EXPECT_EQ(kc::EvaluateOperand("PI"), kPi);
  EXPECT_THROW(kc::EvaluateOperand(""), kc::EAssignError);
}

TEST(Evaluator, FunctionNames) {
  for (const char* name : {"sin", "SIN", "arctanh", "Sqrt", "cosec", "csc", "!", "$"}) EXPECT_TRUE(kc::IsFunctionName(name)) << name;
  for (const char* name : {"", "si", "sin2", "pi", "e", "exp", "-"}) EXPECT_FALSE(kc::IsFunctionName(name)) << name;
}

}  // namespace
