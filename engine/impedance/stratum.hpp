// Rigid footing on or embedded in a homogeneous viscoelastic layer over rigid rock.
#pragma once

#include "engine/impedance/half_space.hpp"
#include "engine/numeric.hpp"

namespace korval::engine {

// The seven dimensional base impedances (force per length, or moment per radian for the
// rocking and torsion terms; force per radian for the couplings).
struct StratumImpedances {
  Cplx horizontal;     // (1,1) and (2,2)
  Cplx vertical;       // (3,3)
  Cplx coupling_y_rx;  // (2,4) and (4,2): y translation with rotation about x
  Cplx coupling_x_ry;  // (1,5) and (5,1): x translation with rotation about y
  Cplx rocking_x;      // (4,4)
  Cplx rocking_y;      // (5,5)
  Cplx torsion;        // (6,6)
};

// Impedances at circular frequency omega (rad/s) of a footing with equivalent radii r,
// embedded to depth embedment in a layer of depth depth (same length unit), on soil with
// Poisson's ratio nu (below 0.5), material damping (loss factor), unit weight, shear wave
// velocity vs and gravitational constant g. Static stiffnesses with embedment and layer-depth
// factors, times frequency factors that change form at the layer's fundamental shear and
// compression frequencies. Preconditions: depth > 0, embedment / depth < 1 (the reader
// admits at most 0.75). Defined at omega = 0 (the static stiffness).
StratumImpedances stratum_impedances(Real omega, Real embedment, Real depth, Real nu, Real damping,
                                     Real unit_weight, Real vs, Real g, const EquivalentRadii& r);

// Base impedance matrix with the impedances in place; every other entry zero.
Matrix6 stratum_base_matrix(const StratumImpedances& s);

}  // namespace korval::engine
