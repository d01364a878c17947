// The general number format of the program and the number syntax it reads, both with a full
// stop as decimal separator whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace korval::components {

// Significant digits of a table cell's text (and of the project file) and of a numeric entry.
inline constexpr int kCellDigits = 8;
inline constexpr int kEntryDigits = 18;

// `value` rounded to `digits` significant digits, in fixed notation when the rounded value has
// from -3 to `digits` digits before the point (0.001234 has -2), else in scientific notation.
// Trailing zeros and a bare point are dropped; the exponent has no plus sign and no leading
// zeros. Examples with 8 digits: 32.2, 100, 0.00012345678, 1E-5, 1.2345679E8, 0.66666667.
std::string FormatGeneral(long double value, int digits);

// The long real of the project file, 23 characters wide: a blank or a minus sign, one digit, a
// point, 14 digits, E, the exponent's sign and four exponent digits (32.2 gives
// " 3.22000000000000E+0001", 0 gives " 0.00000000000000E+0000"). A value that is not finite
// gives the text of FormatGeneral.
std::string FormatLongReal(long double value);

enum class NumberParse { kOk, kInvalid, kOutOfRange };

// Reads the whole of `text` as a decimal number: optional sign, digits with an optional
// fraction (or a point and digits), optional exponent with E or e and an optional sign.
// kOutOfRange when the number is too large for an extended real (a number too small
// becomes 0 or a denormal value).
NumberParse ParseNumber(std::string_view text, long double& value);

}  // namespace korval::components
