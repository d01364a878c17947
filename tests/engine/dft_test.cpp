// The transform against a direct sum, and the transform pair of the transient response.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <vector>

#include "engine/response/dft.hpp"

namespace korval::engine {
namespace {

std::vector<Cplx> signal(int n) {
  std::vector<Cplx> x(n);
  for (int j = 0; j < n; ++j) x[j] = Cplx(std::sin(0.37f * j) + 0.1f * (j % 7), std::cos(1.3f * j * j) * 0.5f);
  return x;
}

TEST(FourierTransform, MatchesDirectSum) {
  auto dft = std::make_unique<FourierTransform>();
  for (int n : {1, 2, 3, 4, 7, 8, 12, 60, 97, 128, 255, 256, 509, 768, 999, 1000, 1009, 1013, 1017, 1018}) {
    std::vector<Cplx> x = signal(n);
    std::vector<std::complex<double>> direct(n);
    double norm = 0;
    for (int k = 0; k < n; ++k) {
      for (int j = 0; j < n; ++j)
        direct[k] += std::complex<double>(x[j].real(), x[j].imag()) *
                     std::polar(1.0, 2 * M_PI * static_cast<double>(static_cast<long>(k) * j % n) / n);
      norm = std::max(norm, std::abs(direct[k]));
    }
    dft->transform(x.data(), n);
    double err = 0;
    for (int k = 0; k < n; ++k) err = std::max(err, std::abs(std::complex<double>(x[k].real(), x[k].imag()) - direct[k]));
    EXPECT_LT(err, 2e-6 * norm) << "length " << n;
  }
}

TEST(FourierTransform, LoadSpectrumAndBackTransformReproduceAHistory) {
  auto dft = std::make_unique<FourierTransform>();
  for (int n : {16, 17, 1018}) {
    std::vector<Cplx> x(n);
    for (int j = 0; j < n; ++j) x[j] = Cplx(j < 5 ? 10.0f * j : 0.0f, 0.0f);
    std::vector<Cplx> p = x;
    dft->transform(p.data(), n);
    for (Cplx& c : p) c = std::conj(c) / static_cast<float>(n);  // the load spectrum
    dft->transform(p.data(), n);                                  // back, real parts
    for (int j = 0; j < n; ++j) EXPECT_NEAR(p[j].real(), x[j].real(), 1e-4) << "length " << n << " sample " << j;
  }
}

}  // namespace
}  // namespace korval::engine
