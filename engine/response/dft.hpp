// Discrete Fourier transform of any length up to the capacity of the transient work array.
#pragma once

#include <complex>

#include "engine/numeric.hpp"

namespace korval::engine {

inline constexpr int kMaxTransformLength = 1018;

// X_k = sum_{n=1}^{N} x_n exp(+2 pi i (k-1)(n-1)/N), k = 1..N: positive exponent, no scaling.
// Mixed radix by decimation in time over the prime factors of N; a factor of any size is
// handled by its own butterfly, so every length is exact (a large prime costs N^2).
// Computed in double precision; the tables are fixed members, nothing is allocated.
class FourierTransform {
 public:
  // Transforms x[0..n-1] in place; 1 <= n <= kMaxTransformLength.
  void transform(Cplx* x, int n);

 private:
  using Wide = std::complex<double>;
  void prepare(int n);
  void step(const Wide* in, int stride, Wide* out, int n, int level);

  int n_ = 0;
  int factors_[16] = {};
  int factor_count_ = 0;
  Wide roots_[kMaxTransformLength];  // exp(+2 pi i j / n_)
  Wide in_[kMaxTransformLength];
  Wide out_[kMaxTransformLength];
  Wide butterfly_[kMaxTransformLength];
};

}  // namespace korval::engine
