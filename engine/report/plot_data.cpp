#include "engine/report/plot_data.hpp"

#include "engine/report/field.hpp"
#include "engine/response/rigid_body.hpp"

namespace korval::engine {

bool PlotData::open(const char* path) {
  close();
  file_ = std::fopen(path, "w");
  owned_ = file_ != nullptr;
  return file_ != nullptr;
}

void PlotData::attach(std::FILE* stream) {
  close();
  file_ = stream;
  owned_ = false;
}

void PlotData::close() {
  if (file_ && owned_) std::fclose(file_);
  file_ = nullptr;
  owned_ = false;
}

void PlotData::line(const char* text, std::size_t n) {
  if (!file_) return;
  std::fwrite(text, 1, n, file_);
  std::fputc('\n', file_);
}

void PlotData::count(int nf) {
  Record r;
  r.i(nf, 6);
  line(r.text().data(), r.text().size());
}

void PlotData::constants(Real omega, const StiffnessConstants& c) {
  const Real k[9] = {omega, c.KXX, c.KYY, c.KWW, c.KPPX, c.KPPY, c.KZT, c.KXP, c.KYP};
  const Real d[9] = {omega, c.CXX, c.CYY, c.CWW, c.CPPX, c.CPPY, c.CZT, c.CXP, c.CYP};
  for (const Real* values : {k, d}) {
    Record r;
    for (int j = 0; j < 9; ++j) r.x(1).e(values[j], 10, 3);
    line(r.text().data(), r.text().size());
  }
}

void PlotData::amplitudes(Real omega, const Real u[6]) {
  Record r;
  r.x(1).f(omega, 7, 2).x(2);
  for (int j = 0; j < 6; ++j) r.x(1).pe(u[j], 11, 4);
  line(r.text().data(), r.text().size());
}

}  // namespace korval::engine
