// Arithmetic on extended reals shared by the unit factors and the evaluator.
#pragma once

namespace korval::components {

// base^exponent by repeated squaring; a negative exponent gives the reciprocal (so a base of 0
// with a negative exponent gives infinity: callers that must not divide by zero check first).
inline long double IntPower(long double base, long long exponent) {
  unsigned long long n = exponent < 0 ? 0ULL - static_cast<unsigned long long>(exponent) : static_cast<unsigned long long>(exponent);
  long double result = 1;
  for (; n != 0; n >>= 1) {
    if (n & 1ULL) result *= base;
    if (n > 1) base *= base;
  }
  return exponent < 0 ? 1 / result : result;
}

}  // namespace korval::components
