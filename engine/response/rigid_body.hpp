// The rigid footing or pile cap with six degrees of freedom at its centre of gravity:
// transfer of the base impedances, damping reduction, the stiffness and damping constants,
// and the dynamic stiffness. Fixed 6 x 6 matrices; nothing is allocated.
#pragma once

#include "engine/numeric.hpp"

namespace korval::engine {

// Mass data about axes through the centre of gravity: total mass M, mass moments of inertia
// IX, IY, IZ and products of inertia IXY, IXZ, IYZ (the integrals of x y, x z, y z dm).
struct MassProperties {
  Real M, IX, IY, IZ, IXY, IXZ, IYZ;
};

// Stiffness constants (real parts) and damping constants (imaginary parts / omega) of the
// impedance matrix at the centre of gravity, named as in the report.
struct StiffnessConstants {
  Real KXX, KYY, KWW, KPPX, KPPY, KZT, KXP, KYP;
  Real CXX, CYY, CWW, CPPX, CPPY, CZT, CXP, CYP;
};

// K = T^T Kb T: the impedance matrix at the centre of gravity, which lies at plan position
// x, y and height h above the base centre. T maps the centre-of-gravity motion to the base
// motion, u_base = u + theta x (-x, -y, -h).
Matrix6 transfer_to_centre_of_gravity(const Matrix6& kb, Real x, Real y, Real h);

// Multiplies the imaginary parts of the six diagonal entries, K(2,4) and K(5,1) by 0.7;
// K(4,2), K(1,5) and every other entry keep theirs.
void reduce_damping(Matrix6& k);

// The constants at circular frequency omega > 0 (rad/s): KXX = Re K(1,1), KYY = Re K(2,2),
// KWW = Re K(3,3), KPPX = Re K(4,4), KPPY = Re K(5,5), KZT = Re K(6,6), KXP = Re K(2,4),
// KYP = Re K(5,1); the C constants are Im / omega of the same entries, CPPX and CPPY taken
// as absolute values.
StiffnessConstants stiffness_constants(const Matrix6& k, Real omega);

// Dynamic stiffness D = K - omega^2 M, with the mass matrix at the centre of gravity:
// M on the translations, IX, IY, IZ on the rotations, -IXY, -IXZ, -IYZ off the diagonal.
Matrix6 dynamic_stiffness(const Matrix6& k, const MassProperties& mass, Real omega);

}  // namespace korval::engine
