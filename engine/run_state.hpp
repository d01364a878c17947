// Everything one analysis holds: the input model read from the project file, the quantities
// derived while reading, and the result arrays. Capacities are fixed; reset() restores the
// defaults at the start of every call, so consecutive runs in one process are independent.
#pragma once

#include <array>

#include "engine/impedance/half_space.hpp"
#include "engine/numeric.hpp"
#include "engine/response/dft.hpp"
#include "engine/response/rigid_body.hpp"

namespace korval::engine {

constexpr int kMaxPiles = 500;
constexpr int kMaxLayers = 30;
constexpr int kMaxFrequencies = 500;
constexpr int kMaxAmplitudes = 1024;
constexpr int kMaxSamples = kMaxTransformLength;
constexpr int kParabolicSublayers = 30;

enum class FoundationType { Unset = 0, Pile = 1, HalfSpace = 2, Stratum = 3, Multilayer = 4 };
enum class Geometry { Unset = 0, Circular = 1, Rectangular = 2 };
enum class LoadType { Unset = 0, Transient = 1, Random = 2, Harmonic = 3 };
enum class SoilMedia { Layered = 1, Parabolic = 2 };
enum class UnitSystem { English, SI };

// Weakened zone around a pile or beside a footing: shear modulus ratio, Poisson's ratio,
// material damping and thickness (the thickness ratio until the radius scaling is applied).
struct WeakZone {
  Real modulus_ratio = 1, poisson = 0, damping = 0, thickness = 0;
};

// One soil layer: shear wave velocity, unit weight, Poisson's ratio, material damping,
// its weakened zone, and for side layers the thickness. Lower layers of a multilayer system
// also carry the shear modulus and damping ratios (in/out).
struct SoilLayer {
  Real thickness = 0, vs = 0, unit_weight = 0, poisson = 0, damping = 0;
  WeakZone weak;
  Real modulus_ratio = 0, damping_ratio = 0;
};

// Section of the pile (or multilayer body) in one layer.
struct Element {
  Real thickness = 0, radius_x = 0, radius_y = 0, area = 0, ix = 0, iy = 0, torsion = 0;
};

// Properties of the pile or body: total length, unit weight, static load, Poisson's ratio,
// material damping, coefficient of rigidity, Young's modulus.
struct BodyConstants {
  Real length = 0, unit_weight = 0, static_load = 0, poisson = 0, damping = 0, rigidity = 0,
       young = 0;
};

struct Pile {
  Real x = 0, y = 0;
  // Angles in degrees between the pile's local axes (columns x, y, z = pile axis) and the
  // global axes (rows X, Y, Z); only meaningful for battered piles.
  Real angle[3][3] = {};
};

struct HarmonicLoad {
  bool quadratic = false;
  Real w_max = 0, w_min = 0, w_step = 0;  // rad/s
  Real load[6] = {};                      // forces and moments at the centre of gravity
};

struct TransientLoad {
  int samples = 0;  // NT
  Real dt = 0;
  int loads = 0;    // NL as read
  // The history acting on each degree of freedom; a code given twice keeps the later one.
  bool given[6] = {};
  Real history[6][kMaxSamples] = {};
};

struct RandomLoad {
  Real w_max = 0, w_min = 0;  // rad/s
  int points = 0;             // NP
  Real duration = 0;
  int spectra = 0;            // NS as read
  bool given[6][6] = {};
  Real spectrum[6][6][kMaxFrequencies] = {};  // load spectral matrix, [i][j][k]
};

struct InputModel {
  // Options
  bool echo = true;
  bool wide = false;
  bool print_constants = false;
  bool dimensionless = false;
  std::array<char, 81> title = {};
  bool gravity_set = false;
  Real g = 0;
  UnitSystem units = UnitSystem::SI;

  // Foundation
  FoundationType foundation = FoundationType::Unset;
  Geometry geometry = Geometry::Unset;
  Real radius = 0, side_a = 0, side_b = 0;
  EquivalentRadii radii = {};
  EquivalentRadii stratum_radii = {};  // horizontal and vertical share r0
  Real mean_radius = 0;  // of the stratum set
  MassProperties mass = {};
  SoilMedia media = SoilMedia::Layered;
  int layers = 0;  // N
  bool fixed_head = true;
  int piles = 0;
  Pile pile[kMaxPiles];
  Real cg_x = 0, cg_y = 0, cg_h = 0;
  BodyConstants body;
  Real embedment = 0, layer_depth = 0;  // stratum E and D
  Element element[kMaxLayers];
  bool end_bearing = false;
  bool battered = false;
  bool interaction = false;

  // Soil
  bool weak = false;
  SoilLayer layer[kMaxLayers];  // pile or multilayer layers (parabolic: the 30 sublayers)
  int adjacent_layers = 0;      // NA of a multilayer system
  SoilLayer stratum;
  SoilLayer parabolic;          // the soil of a parabolic profile as given (Vs at the tip depth)
  int side_layers = 0;
  SoilLayer side[kMaxLayers];   // half-space side layers or side layers of an embedded cap
  SoilLayer below;              // soil below the footing, the pile tips or the multilayer body
  Real tip_velocity = 0;
  bool embedded = false;
  bool side_cap = false;

  // Load
  LoadType load = LoadType::Unset;
  HarmonicLoad harmonic;
  TransientLoad transient;
  RandomLoad random;
};

// Results of the frequency loop, kept for the tables written after it.
struct Results {
  int frequencies = 0;                     // NF of the run
  Real amplitude[kMaxFrequencies][6] = {};  // harmonic: |U| per frequency
  Real density[kMaxFrequencies][6] = {};    // random: response spectral densities
  Cplx spectrum[6][kMaxSamples] = {};       // transient: load spectra, then response spectra
  FourierTransform dft;
  // Work arrays of the 6 x 6 solves.
  Cplx solver_work[6 * 8] = {};
  Real pivots[6] = {};
};

struct RunState {
  InputModel in;
  Results results;
  bool fatal = false;

  void reset();
};

}  // namespace korval::engine
