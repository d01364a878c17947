// Unit systems, unit labels and conversion factors.
//
// Captions, column headers and axis titles carry unit tokens instead of unit names (F force,
// F1 large force, F2 very large force, F4 inch-based mass, F5 time, F6 mass, L small length,
// L1 small length in millimetres, L2 length, L3 angle; `F/L2^3` is a unit weight). Each kind of
// label turns the tokens into the names of the current unit system with its own rule; the same
// tokens give the factor by which stored values change when the unit system changes.
#pragma once

#include <string>
#include <string_view>

namespace korval::components {

// Unit-system codes. Codes outside 1..3 are read as the nearest of them.
inline constexpr int kEnglishUnits = 1;      // lbs, slug, ft
inline constexpr int kSIUnits = 2;           // kN, Mg, m
inline constexpr int kDimensionalUnits = 3;  // labels keep the token letters, no conversion

// English units in one SI unit, in extended precision.
inline constexpr long double kForceFactor = 224.8089237L;         // lbs per kN
inline constexpr long double kLargeForceFactor = 0.2248089237L;   // kips per kN
inline constexpr long double kVeryLargeForceFactor = 0.1124044745L;  // tons per kN
inline constexpr long double kInchMassFactor = 5.7101483L;        // lb-sec2/in per Mg
inline constexpr long double kMassFactor = 68.364249L;            // slug per Mg
inline constexpr long double kSmallLengthFactor = 39.37007874L;   // in per m
inline constexpr long double kMillimetreFactor = 0.03937007874L;  // in per mm
inline constexpr long double kLengthFactor = 3.280839895L;        // ft per m

// Text in parentheses after a numeric entry field's caption. Only the first force token kind
// found in the order F6, F5, F4, F2, F1 (else plain F) and the first length kind of L2, L1, L3
// (else plain L) are replaced. System 3 returns the string unchanged.
std::string FieldUnitsText(std::string_view units, int system);

// Units in a float column's last header line: every token is replaced, in system 3 too.
std::string ColumnUnitsText(std::string_view units, int system);

// Units of a plot axis title: force F2, F1 or F, length L2, L1 or L; F4, F5, F6 and L3 are
// not tokens here. System 3 returns the string unchanged.
std::string PlotUnitsText(std::string_view units, int system);

// English units in one SI unit of the quantity `units` describes: numerator over denominator
// (split at the first '/'), each a force token with an optional single-digit power followed by
// a length token with an optional single-digit power (`F6-L2^2`, `F/L2^3`). Text that is neither
// counts 1. Raises EConvertError, naming the string, when a power digit is missing.
long double UnitFactor(std::string_view units);

// Multiplier of a stored value when its component goes from system `from` to system `to`:
// 1/UnitFactor from English to SI, UnitFactor from SI to English, otherwise exactly 1.
long double ConversionMultiplier(int from, int to, std::string_view units);

}  // namespace korval::components
