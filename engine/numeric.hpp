// Number types and the column-major matrix view shared by the whole engine.
#pragma once

#include <cmath>
#include <complex>
#include <cstddef>
#include <limits>

namespace korval::engine {

// The engine computes in single precision throughout; a complex number is a pair of them.
using Real = float;
using Cplx = std::complex<float>;

// Nearest integer, halves away from zero, as counts and frequency numbers are rounded.
// Values beyond the int range (and NaN) are clamped, so that limit checks still see them.
inline int nearest_int(Real value) {
  if (std::isnan(value) || value >= 2.0e9f) return std::numeric_limits<int>::max();
  if (value <= -2.0e9f) return std::numeric_limits<int>::min();
  return static_cast<int>(std::lround(value));
}

// Column-major view of a caller-owned array with an explicit leading dimension,
// indexed from 1 in the algorithms' own terms: (i, j) is data[(i-1) + (j-1)*ld].
template <class T>
struct MatrixRef {
  T* data;
  int ld;
  T& operator()(int i, int j) const { return data[(i - 1) + static_cast<std::ptrdiff_t>(j - 1) * ld]; }
  T* column(int j) const { return data + static_cast<std::ptrdiff_t>(j - 1) * ld; }
};

// A fixed 6 x 6 complex matrix in the degree-of-freedom order X, Y, Z, rotation X, rotation Y, torsion.
struct Matrix6 {
  Cplx a[36] = {};
  Cplx& operator()(int i, int j) { return a[(i - 1) + (j - 1) * 6]; }
  const Cplx& operator()(int i, int j) const { return a[(i - 1) + (j - 1) * 6]; }
  MatrixRef<Cplx> ref() { return {a, 6}; }
  void clear() {
    for (Cplx& c : a) c = Cplx{};
  }
};

}  // namespace korval::engine
