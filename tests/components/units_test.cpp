// Unit labels of the three label kinds, conversion factors and multipliers.
#include "components/Units.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "components/Errors.hpp"

namespace kc = korval::components;

namespace {

struct LabelCase {
  const char* units;
  int system;
  const char* expected;
};

void ExpectRelative(long double actual, long double expected, const std::string& what) {
  EXPECT_LE(std::fabs(actual - expected), 1e-17L * std::fabs(expected)) << what;
}

TEST(Units, FieldLabels) {
  const LabelCase cases[] = {
      {"F/L2^3", 1, "lbs/ft^3"},
      {"F/L2^3", 2, "kN/m^3"},
      {"F/L2^3", 3, "F/L2^3"},
      {"F-L2/Radian", 1, "lbs-ft/Radian"},
      {"L2/SEC", 2, "m/SEC"},
      {"F6", 1, "slug"},
      {"F6", 2, "Mg"},
      {"F6-L2^2", 1, "slug-ft^2"},
      {"F4", 1, "lb-sec2/in"},
      {"F5", 2, "sec"},
      {"L3", 1, "rad"},
      {"L1", 2, "mm"},
      {"in", 1, "in"},  // lower case is not a token
      {"", 2, ""},
      // Only the first token kind of each group is replaced.
      {"F6/F", 1, "slug/F"},
      {"L1-L2", 2, "L1-m"},
      // Codes outside 1..3 read as the nearest one.
      {"F/L2", 0, "lbs/ft"},
      {"F/L2", 7, "F/L2"},
  };
  for (const LabelCase& c : cases)
    EXPECT_EQ(kc::FieldUnitsText(c.units, c.system), c.expected) << c.units << " in " << c.system;
}

TEST(Units, ColumnLabels) {
  const LabelCase cases[] = {
      {"L2^4", 2, "m^4"},
      {"F/L2^3", 1, "lbs/ft^3"},
      {"F/L2^3", 3, "F/L^3"},
      {"F4/F5", 3, "M/T"},
      {"F6-L2^2", 3, "F-L^2"},
      {"F6/F", 1, "slug/lbs"},  // every token is replaced
      {"F1-L", 1, "kips-in"},
      {"F2-L1", 2, "kN-mm"},
      {"DEGREES", 1, "DEGREES"},
      {"DEGREES", 2, "DEGREES"},
      {"DEGREES", 3, "DEGREES"},
  };
  for (const LabelCase& c : cases)
    EXPECT_EQ(kc::ColumnUnitsText(c.units, c.system), c.expected) << c.units << " in " << c.system;
}

TEST(Units, PlotLabels) {
  const LabelCase cases[] = {
      {"F-L2-sec/radian2", 1, "lbs-ft-sec/radian2"},
      {"F-sec/L2-radian", 2, "kN-sec/m-radian"},
      {"F1/L1", 2, "kN/mm"},
      {"F2-L", 1, "tons-in"},
      {"F6", 1, "lbs6"},  // F6 is no token of plot titles
      {"L3", 2, "m3"},
      {"F/L2^3", 3, "F/L2^3"},
  };
  for (const LabelCase& c : cases)
    EXPECT_EQ(kc::PlotUnitsText(c.units, c.system), c.expected) << c.units << " in " << c.system;
}

TEST(Units, Factors) {
  const long double F = 224.8089237L, L2 = 3.280839895L;
  const struct {
    const char* units;
    long double expected;
  } cases[] = {
      {"F/L2^3", F / (L2 * L2 * L2)},
      {"L2/SEC", L2},
      {"F-L2/Radian", F * L2},
      {"L2^4", L2 * L2 * L2 * L2},
      {"F6", 68.364249L},
      {"F6-L2^2", 68.364249L * L2 * L2},
      {"F1", 0.2248089237L},
      {"F2", 0.1124044745L},
      {"F4", 5.7101483L},
      {"F5", 1},
      {"F^2", F * F},
      {"L", 39.37007874L},
      {"L1", 0.03937007874L},
      {"L3", 1},
      {"F/L2", F / L2},
      {"DEGREES", 1},
      {"Hz", 1},
      {"", 1},
  };
  for (const auto& c : cases) ExpectRelative(kc::UnitFactor(c.units), c.expected, c.units);
  EXPECT_NEAR(static_cast<double>(kc::UnitFactor("F/L2^3")), 6.366, 1e-3);
}

TEST(Units, MalformedStringFailsNamingIt) {
  for (const char* units : {"F-L2-sec/radian2", "L2-sec", "F2^", "F^x", "F-sec/L2-radian"}) {
    try {
      kc::UnitFactor(units);
      ADD_FAILURE() << units << " gave a factor";
    } catch (const kc::EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(units) + "' is not a valid unit string");
    }
  }
  // Without a conversion no factor is needed, and nothing fails.
  EXPECT_EQ(kc::ConversionMultiplier(1, 3, "L2-sec"), 1.0L);
}

TEST(Units, ConversionMultipliers) {
  // 18.85 kN/m3 is about 120 lbs/ft3.
  EXPECT_NEAR(static_cast<double>(18.85L * kc::ConversionMultiplier(2, 1, "F/L2^3")), 120.0, 0.05);
  ExpectRelative(kc::ConversionMultiplier(1, 2, "L2"), 1 / 3.280839895L, "L2 to SI");
  for (const auto& [from, to] : {std::pair{1, 1}, {2, 2}, {1, 3}, {3, 1}, {2, 3}, {3, 2}})
    EXPECT_EQ(kc::ConversionMultiplier(from, to, "F/L2^3"), 1.0L) << from << " to " << to;
  for (const char* units : {"F/L2^3", "L2", "F6-L2^2", "F-L2/Radian"}) {
    const long double x = 12.345L;
    ExpectRelative(x * kc::ConversionMultiplier(1, 2, units) * kc::ConversionMultiplier(2, 1, units), x, units);
  }
}

}  // namespace
