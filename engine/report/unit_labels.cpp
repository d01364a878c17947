#include "engine/report/unit_labels.hpp"

namespace korval::engine {
namespace {

struct Labels {
  std::string_view english, si;
};

// Indexed by Quantity; every pair has the same width.
constexpr Labels kLabels[] = {
    {"ft", "m "},
    {"lb-ft", "kN-m "},
    {"lb ", "kN."},
    {"psf", "kPa"},
    {"lb/ft**3", "kN/m**3 "},
    {"ft/s**2", "m/s**2 "},
    {"ft**2", "m**2 "},
    {"ft/s", "m/s "},
    {"ft**4", "m**4 "},
    {"slug", "Mg  "},
    {"slug-ft**2", "Mg-m**2   "},
    {"lb/ft", "kN/m "},
    {"lb-ft/rad", "kN-m/rad "},
    {"lb/ft/sec", "kN/m/sec "},
    {"lb-ft/rad/se", "kN-m/rad/sec"},
    {"lb/rad", "kN/rad"},
    {"lb/rad/sec", "kN/rad/sec"},
    {"slug-ft", "Mg-m   "},
};

}  // namespace

std::string_view unit_label(Quantity q, UnitSystem units) {
  const Labels& l = kLabels[static_cast<int>(q)];
  return units == UnitSystem::English ? l.english : l.si;
}

}  // namespace korval::engine
