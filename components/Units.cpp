#include "components/Units.hpp"

#include <array>
#include <initializer_list>

#include "components/Errors.hpp"
#include "components/ExtendedMath.hpp"

namespace korval::components {
namespace {

struct Token {
  std::string_view text;
  std::array<std::string_view, 3> names;  // English, SI, dimensional
};

constexpr Token kF{"F", {"lbs", "kN", "F"}};
constexpr Token kF1{"F1", {"kips", "kN", "F"}};
constexpr Token kF2{"F2", {"tons", "kN", "F"}};
constexpr Token kF4{"F4", {"lb-sec2/in", "Mg", "M"}};
constexpr Token kF5{"F5", {"sec", "sec", "T"}};
constexpr Token kF6{"F6", {"slug", "Mg", "F"}};
constexpr Token kL{"L", {"in", "m", "L"}};
constexpr Token kL1{"L1", {"in", "mm", "L"}};
constexpr Token kL2{"L2", {"ft", "m", "L"}};
constexpr Token kL3{"L3", {"rad", "rad", "L"}};

int ClampSystem(int system) { return system < kEnglishUnits ? kEnglishUnits : system > kDimensionalUnits ? kDimensionalUnits : system; }

std::string_view NameOf(const Token& token, int system) { return token.names[static_cast<std::size_t>(ClampSystem(system) - 1)]; }

// Replaces every occurrence of the token, resuming the search after the inserted name, so a
// name that contains the token itself is not replaced again.
void ReplaceAll(std::string& s, const Token& token, int system) {
  const std::string_view name = NameOf(token, system);
  for (std::size_t at = s.find(token.text); at != std::string::npos; at = s.find(token.text, at + name.size()))
    s.replace(at, token.text.size(), name);
}

// Replaces the first token kind of `group` (in its order) that occurs, else the fallback.
void ReplaceFirstOf(std::string& s, std::initializer_list<const Token*> group, const Token& fallback, int system) {
  for (const Token* token : group) {
    if (s.find(token->text) != std::string::npos) {
      ReplaceAll(s, *token, system);
      return;
    }
  }
  ReplaceAll(s, fallback, system);
}

// The single power digit at index 3 of a token text such as "L2^3".
int PowerDigit(const std::string& term, std::string_view units) {
  if (term.size() < 4 || term[3] < '0' || term[3] > '9')
    throw EConvertError("'" + std::string(units) + "' is not a valid unit string");
  return term[3] - '0';
}

// Factor of one side of the fraction: a force part, then a length part of what remains.
long double TermFactor(std::string term, std::string_view units) {
  long double force = 1;
  int force_power = 0;
  if (!term.empty() && term[0] == 'F') {
    if (term.size() < 2 || std::string_view("012456").find(term[1]) == std::string_view::npos) term.insert(1, "0");
    switch (term[1]) {
      case '0': force = kForceFactor; break;
      case '1': force = kLargeForceFactor; break;
      case '2': force = kVeryLargeForceFactor; break;
      case '4': force = kInchMassFactor; break;
      case '5': force = 1; break;
      default: force = kMassFactor; break;
    }
    if (term.size() > 2 && term[2] == '^') {
      force_power = PowerDigit(term, units);
      term.erase(0, 5);
    } else {
      force_power = 1;
      term.erase(0, 3);  // the token and one separator such as '-'
    }
  }
  long double length = 1;
  int length_power = 0;
  if (!term.empty() && term[0] == 'L') {
    if (term.size() < 2 || term[1] < '0' || term[1] > '3') term.insert(1, "0");
    switch (term[1]) {
      case '0': length = kSmallLengthFactor; break;
      case '1': length = kMillimetreFactor; break;
      case '2': length = kLengthFactor; break;
      default: length = 1; break;
    }
    length_power = term.size() > 2 ? PowerDigit(term, units) : 1;
  }
  return IntPower(force, force_power) * IntPower(length, length_power);
}

}  // namespace

std::string FieldUnitsText(std::string_view units, int system) {
  std::string s(units);
  if (ClampSystem(system) == kDimensionalUnits) return s;
  ReplaceFirstOf(s, {&kF6, &kF5, &kF4, &kF2, &kF1}, kF, system);
  ReplaceFirstOf(s, {&kL2, &kL1, &kL3}, kL, system);
  return s;
}

std::string ColumnUnitsText(std::string_view units, int system) {
  std::string s(units);
  for (const Token* token : {&kF2, &kF1, &kF4, &kF5, &kF6, &kF, &kL3, &kL2, &kL1, &kL}) ReplaceAll(s, *token, system);
  return s;
}

std::string PlotUnitsText(std::string_view units, int system) {
  std::string s(units);
  if (ClampSystem(system) == kDimensionalUnits) return s;
  ReplaceFirstOf(s, {&kF2, &kF1}, kF, system);
  ReplaceFirstOf(s, {&kL2, &kL1}, kL, system);
  return s;
}

long double UnitFactor(std::string_view units) {
  const std::size_t slash = units.find('/');
  const std::string numerator(units.substr(0, slash));
  const std::string denominator(slash == std::string_view::npos ? std::string_view() : units.substr(slash + 1));
  return TermFactor(numerator, units) / TermFactor(denominator, units);
}

long double ConversionMultiplier(int from, int to, std::string_view units) {
  if (from == kEnglishUnits && to == kSIUnits) return 1 / UnitFactor(units);
  if (from == kSIUnits && to == kEnglishUnits) return UnitFactor(units);
  return 1;
}

}  // namespace korval::components
