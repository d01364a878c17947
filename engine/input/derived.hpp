// Quantities the engine derives from the input while it reads it.
#pragma once

#include "engine/run_state.hpp"

namespace korval::engine {

enum class BatterPlane { XZ, YZ };

// Direction angles (degrees) of a pile battered by theta degrees from the vertical in a plane.
void set_batter_angles(Pile& pile, BatterPlane plane, Real theta);

// The 30 sublayers of a parabolic profile under a pile of length L: thicknesses and the
// shear wave velocity at each sublayer's middle, Vs_tip ((z - t/2)/L)^(1/4).
void parabolic_sublayer(int k, Real length, Real vs_tip, Real& thickness, Real& vs);

// Weakened-zone thicknesses from their ratios, once before the computation: side layers
// (EMBEDDED with SIDE-CAP, or half-space side layers with WEAK) by the translation radius,
// pile and body layers with WEAK by the layer's mean pile radius.
void scale_weak_zones(InputModel& in);

// Harmonic loads acting at (x, y, z) from the centre of gravity, as a resultant there.
void resultant_at_centre(const Real f[6], Real x, Real y, Real z, Real out[6]);

}  // namespace korval::engine
