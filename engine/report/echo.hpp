// Echo blocks: the report's repetition of the accepted input, block by block.
#pragma once

#include <string_view>

#include "engine/report/report.hpp"
#include "engine/run_state.hpp"

namespace korval::engine {

// A one-line option notice with its underline.
void echo_option(Report& report, std::string_view text);

void echo_gravity(Report& report, const InputModel& in);
void echo_foundation_type(Report& report, const InputModel& in);
void echo_geometry(Report& report, const InputModel& in);
void echo_mass(Report& report, const InputModel& in);
void echo_soil_media(Report& report, const InputModel& in);
void echo_pile_locations(Report& report, const InputModel& in);
void echo_foundation_constants(Report& report, const InputModel& in);
void echo_elements(Report& report, const InputModel& in);
void echo_battered_pile(Report& report, int position, bool xz_plane, Real theta);
void echo_soil_constants(Report& report, const InputModel& in);
void echo_soil_below(Report& report, const InputModel& in);
void echo_embedded(Report& report, const InputModel& in);
void echo_harmonic(Report& report, const InputModel& in);
void echo_transient_header(Report& report, const InputModel& in);
void echo_transient_load(Report& report, const InputModel& in, int code, const Real* values, int n);
void echo_random_header(Report& report, const InputModel& in);
void echo_random_spectrum(Report& report, const InputModel& in, int i, int j, const Real* values, int n);

// Hz as the report shows a circular frequency: omega / (2 * 3.14).
inline Real report_hz(Real omega) { return omega / (2.0f * 3.14f); }

}  // namespace korval::engine
