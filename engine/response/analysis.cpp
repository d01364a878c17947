#include "engine/response/analysis.hpp"

#include <string>

#include "engine/impedance/half_space.hpp"
#include "engine/impedance/stratum.hpp"
#include "engine/report/results.hpp"
#include "engine/response/frequency_grid.hpp"
#include "engine/response/harmonic.hpp"
#include "engine/response/random.hpp"
#include "engine/response/rigid_body.hpp"
#include "engine/response/transient.hpp"

namespace korval::engine {
namespace {

// "***INADMISSABLE VALUE FOR <what> (<value>) ***" and "***PROGRAM WILL NOT EXECUTE***".
void inadmissible(Report& report, std::string_view what, Real value) {
  Record r;
  r.x(1).a("***INADMISSABLE VALUE FOR ").a(what).a(" (").pe(value, 10, 3).a(") ***");
  report.message({r.text()});
  report.message({" ***PROGRAM WILL NOT EXECUTE***"});
}

// The soil under a footing must have a positive velocity and unit weight and a Poisson's ratio
// in [0, 0.5): otherwise its impedances are not defined.
bool footing_soil_admissible(const InputModel& in, Report& report) {
  const bool half_space = in.foundation == FoundationType::HalfSpace;
  const SoilLayer& s = half_space ? in.below : in.stratum;
  const char* of = half_space ? "HALF-SPACE" : "STRATUM";
  if (!(s.vs > 0)) {
    inadmissible(report, std::string("SHEAR WAVE VELOCITY OF ") + of, s.vs);
    return false;
  }
  if (!(s.unit_weight > 0)) {
    inadmissible(report, std::string("UNIT WEIGHT OF ") + of, s.unit_weight);
    return false;
  }
  if (!(s.poisson >= 0 && s.poisson < 0.5f)) {
    inadmissible(report, std::string("POISSONS RATIO OF ") + of, s.poisson);
    return false;
  }
  if (!(s.damping >= 0)) {
    inadmissible(report, std::string("MATERIAL DAMPING OF ") + of, s.damping);
    return false;
  }
  return true;
}

bool side_layers_present(const InputModel& in) {
  for (int k = 0; k < in.side_layers; ++k)
    if (in.side[k].thickness > 0 && in.side[k].vs > 0) return true;
  return false;
}

// Impedance matrix of a footing at its centre of gravity, at circular frequency omega.
Matrix6 footing_impedance(const InputModel& in, Real omega) {
  Matrix6 kb;
  if (in.foundation == FoundationType::HalfSpace) {
    const SoilLayer& s = in.below;
    const Real a0 = omega * in.radii.r0 / s.vs;
    kb = half_space_base_matrix(half_space_functions(a0, s.poisson, s.damping, in.radii),
                                shear_modulus(s.unit_weight, s.vs, in.g), in.radii);
  } else {
    const SoilLayer& s = in.stratum;
    kb = stratum_base_matrix(stratum_impedances(omega, in.embedment, in.layer_depth, s.poisson, s.damping,
                                                s.unit_weight, s.vs, in.g, in.stratum_radii));
  }
  return transfer_to_centre_of_gravity(kb, in.cg_x, in.cg_y, in.cg_h);
}

int frequency_count(const InputModel& in) {
  switch (in.load) {
    case LoadType::Harmonic: return harmonic_frequency_count(in.harmonic);
    case LoadType::Transient: return transient_frequency_count(in.transient);
    default: return random_frequency_count(in.random);
  }
}

Real frequency(const InputModel& in, int k) {
  switch (in.load) {
    case LoadType::Harmonic: return harmonic_frequency(in.harmonic, k);
    case LoadType::Transient: return transient_frequency(in.transient, k);
    default: return random_frequency(in.random, k);
  }
}

}  // namespace

int compute_results(RunState& state, Report& report, PlotData& plot, const RunStamp& stamp) {
  InputModel& in = state.in;
  Results& results = state.results;
  if (!(in.g > 0)) {
    Record r;
    r.x(1).a("*** INADMISSABLE VALUE FOR GRAVITATIONAL CONSTANT (").pe(in.g, 10, 3).a(") ***");
    report.message({r.text()});
    report.message({" ***PROGRAM WILL NOT EXECUTE***"});
    return RunCompleted;
  }
  if (in.foundation == FoundationType::Pile || in.foundation == FoundationType::Multilayer) {
    report.message({" PILE AND MULTILAYER FOUNDATIONS ARE NOT ANALYSED BY THIS VERSION OF THE ENGINE",
                    " THE INPUT HAS BEEN CHECKED - NO RESULTS ARE COMPUTED"});
    return RunStopped;
  }

  const int nf = frequency_count(in);
  results.frequencies = nf;
  plot.count(nf);
  if (!footing_soil_admissible(in, report)) return RunCompleted;
  if (in.foundation == FoundationType::HalfSpace && side_layers_present(in))
    report.message({" THE SIDE LAYERS ARE NOT YET INCLUDED IN THE ANALYSIS:",
                    " THE FOOTING IS ANALYSED ON THE HALF-SPACE BELOW ITS BASE ALONE"});
  if (in.load == LoadType::Transient) transient_load_spectra(in, results);

  for (int k = 1; k <= nf; ++k) {
    const Real omega = frequency(in, k);
    Matrix6 kc = footing_impedance(in, omega);
    reduce_damping(kc);
    if (in.print_constants) {
      const StiffnessConstants c = stiffness_constants(kc, omega);
      if (k == 1) write_page_header(report, in, stamp, PageKind::Results);
      write_constants(report, in.units, omega, c);
      plot.constants(omega, c);
    }
    const Matrix6 d = dynamic_stiffness(kc, in.mass, omega);
    switch (in.load) {
      case LoadType::Harmonic: harmonic_at_frequency(in, results, k, omega, d, report); break;
      case LoadType::Transient: transient_at_frequency(results, k, d, report); break;
      default: random_at_frequency(in, results, k, d, report); break;
    }
  }

  write_page_header(report, in, stamp, PageKind::Results);
  switch (in.load) {
    case LoadType::Harmonic: harmonic_finish(in, results, report, plot); break;
    case LoadType::Transient: transient_finish(in, results, report); break;
    default: random_finish(in, results, report); break;
  }
  return RunCompleted;
}

}  // namespace korval::engine
