#include "engine/response/dft.hpp"

#include <cassert>
#include <cmath>

namespace korval::engine {

void FourierTransform::prepare(int n) {
  n_ = n;
  factor_count_ = 0;
  for (int rest = n, p = 2; rest > 1;) {
    if (rest % p == 0) {
      factors_[factor_count_++] = p;
      rest /= p;
    } else {
      p = p * p > rest ? rest : p + 1;
    }
  }
  const double two_pi = 2.0 * std::acos(-1.0);
  for (int j = 0; j < n; ++j) roots_[j] = std::polar(1.0, two_pi * j / n);
}

// Transform of length n of in[0], in[stride], ..., written to out[0..n-1]. With n = p M:
// X(k1 + M k2) = sum_{r<p} w_n^(r k1) w_p^(r k2) Y_r(k1), Y_r the transform of the r-th
// subsequence of stride p.
void FourierTransform::step(const Wide* in, int stride, Wide* out, int n, int level) {
  if (n == 1) {
    out[0] = in[0];
    return;
  }
  const int p = factors_[level];
  const int m = n / p;
  for (int r = 0; r < p; ++r) step(in + r * stride, stride * p, out + r * m, m, level + 1);
  const int root_step = n_ / n;  // w_n^e = roots_[e * n_/n]
  const int p_step = n_ / p;     // w_p^e = roots_[e * n_/p]
  for (int k1 = 0; k1 < m; ++k1) {
    for (int r = 0; r < p; ++r) butterfly_[r] = out[r * m + k1] * roots_[(r * k1 % n) * root_step];
    for (int k2 = 0; k2 < p; ++k2) {
      Wide s = butterfly_[0];
      for (int r = 1, e = k2; r < p; ++r, e = (e + k2) % p) s += butterfly_[r] * roots_[e * p_step];
      out[k1 + m * k2] = s;
    }
  }
}

void FourierTransform::transform(Cplx* x, int n) {
  assert(n >= 1 && n <= kMaxTransformLength);
  if (n != n_) prepare(n);
  for (int j = 0; j < n; ++j) in_[j] = Wide(x[j].real(), x[j].imag());
  step(in_, 1, out_, n, 0);
  for (int j = 0; j < n; ++j) x[j] = Cplx(static_cast<float>(out_[j].real()), static_cast<float>(out_[j].imag()));
}

}  // namespace korval::engine
