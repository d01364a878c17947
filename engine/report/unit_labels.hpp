// Unit labels of the report: fixed-width texts chosen by the unit system of the run.
#pragma once

#include <string_view>

#include "engine/run_state.hpp"

namespace korval::engine {

enum class Quantity {
  Length,
  Moment,
  Force,
  Stress,
  UnitWeight,
  Acceleration,
  Area,
  Velocity,
  SecondMoment,
  Mass,
  MassInertia,
  TranslationalStiffness,
  RotationalStiffness,
  TranslationalDamping,
  RotationalDamping,
  CrossStiffness,
  CrossDamping,
  MassLength,
};

std::string_view unit_label(Quantity q, UnitSystem units);

}  // namespace korval::engine
