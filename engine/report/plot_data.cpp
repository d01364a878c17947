#include "engine/report/plot_data.hpp"

#include "engine/report/field.hpp"
#include "engine/response/rigid_body.hpp"

namespace korval::engine {

void PlotData::count(int nf) {
  Record r;
  r.i(nf, 6);
  file_.write_line(r.text());
}

void PlotData::constants(Real omega, const StiffnessConstants& c) {
  const Real k[9] = {omega, c.KXX, c.KYY, c.KWW, c.KPPX, c.KPPY, c.KZT, c.KXP, c.KYP};
  const Real d[9] = {omega, c.CXX, c.CYY, c.CWW, c.CPPX, c.CPPY, c.CZT, c.CXP, c.CYP};
  for (const Real* values : {k, d}) {
    Record r;
    for (int j = 0; j < 9; ++j) r.x(1).e(values[j], 10, 3);
    file_.write_line(r.text());
  }
}

void PlotData::amplitudes(Real omega, const Real u[6]) {
  Record r;
  r.x(1).f(omega, 7, 2).x(2);
  for (int j = 0; j < 6; ++j) r.x(1).pe(u[j], 11, 4);
  file_.write_line(r.text());
}

}  // namespace korval::engine
