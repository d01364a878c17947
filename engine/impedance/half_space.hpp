// Rigid circular footing on the surface of a homogeneous viscoelastic half-space, and the
// equivalent radii and shear modulus shared by every footing model.
#pragma once

#include "engine/numeric.hpp"

namespace korval::engine {

// Equivalent radii of a footing (length): r0 for horizontal and vertical translation, rx and
// ry for rocking about x and about y, rt for torsion. All four equal the radius of a circle.
struct EquivalentRadii {
  Real r0, rx, ry, rt;
};

EquivalentRadii circular_radii(Real radius);

// Radii of the circles with the area, the second moments of area about x and y and the polar
// moment of a rectangle with side lx along x and ly along y.
EquivalentRadii rectangular_radii(Real lx, Real ly);

// Mean equivalent radius (2 r0 + rx + ry + rt) / 5, the radius of the stratum's validity test.
Real mean_radius(const EquivalentRadii& r);

// Shear modulus G = unit_weight * vs^2 / g (force per area).
Real shear_modulus(Real unit_weight, Real vs, Real g);

// Dimensionless impedance functions: horizontal h, vertical v, rocking psi_x and psi_y,
// torsion t. Real part stiffness, imaginary part damping, both per G times a power of a radius.
struct HalfSpaceFunctions {
  Cplx h, v, psi_x, psi_y, t;
};

// The functions at the dimensionless frequency a0 = omega * r0 / Vs for Poisson's ratio nu
// and material damping (the loss factor of the complex shear modulus G(1 + i damping)).
// The coefficient set changes at nu = 0.4. Defined at a0 = 0 (the static stiffness).
HalfSpaceFunctions half_space_functions(Real a0, Real nu, Real damping, const EquivalentRadii& r);

// Diagonal base impedance matrix for the shear modulus G = shear: (1,1) = (2,2) = G r0 h,
// (3,3) = G r0 v, (4,4) = G rx^3 psi_x, (5,5) = G ry^3 psi_y, (6,6) = G rt^3 t; all else zero.
Matrix6 half_space_base_matrix(const HalfSpaceFunctions& f, Real shear, const EquivalentRadii& r);

}  // namespace korval::engine
