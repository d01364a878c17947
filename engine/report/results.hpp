// Result blocks of the report: stiffness and damping constants and the response tables.
#pragma once

#include "engine/report/report.hpp"
#include "engine/run_state.hpp"

namespace korval::engine {

struct StiffnessConstants;

void write_constants(Report& report, UnitSystem units, Real omega, const StiffnessConstants& c);

void write_harmonic_header(Report& report, UnitSystem units);
void write_harmonic_line(Report& report, Real omega, const Real u[6]);

void write_transient_header(Report& report, UnitSystem units);
void write_transient_line(Report& report, Real time, const Real u[6]);

void write_peak_factor_header(Report& report);
void write_peak_factor_line(Report& report, int dof, Real peak_factor, Real maximum);

enum class SpectrumKind { TranslationX, RotationY };
void write_spectrum_header(Report& report, SpectrumKind kind);
void write_spectrum_line(Report& report, Real omega, Real density);

}  // namespace korval::engine
