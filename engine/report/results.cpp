#include "engine/report/results.hpp"

#include <array>
#include <string>

#include "engine/report/echo.hpp"
#include "engine/report/unit_labels.hpp"
#include "engine/response/rigid_body.hpp"

namespace korval::engine {
namespace {

void rule(Report& report, int indent, int n, char c) {
  report.put(Record().x(indent).a(std::string(static_cast<std::size_t>(n), c)));
}

void amplitude_title(Report& report) {
  report.blank(2);
  report.put(Record().x(24).a("FOOTING RESPONSE AMPLITUDES"));
  rule(report, 24, 27, '-');
  report.blank();
}

struct ConstantLine {
  const char* label;
  Real value;
  std::string_view unit;
};

// An empty line, a heading with its underline, an empty line and eight labelled constants.
void constant_lines(Report& report, std::string_view heading, const std::array<ConstantLine, 8>& lines) {
  report.blank();
  report.put(Record().x(1).a(heading));
  rule(report, 1, static_cast<int>(heading.size()), '*');
  report.blank();
  for (const ConstantLine& l : lines) report.put(Record().x(1).a(l.label).pe(l.value, 13, 5).x(1).a(l.unit));
}

void six_amplitudes(Record& r, const Real u[6]) {
  for (int j = 0; j < 6; ++j) r.x(1).pe(u[j], 11, 4);
}

}  // namespace

void write_constants(Report& report, UnitSystem units, Real omega, const StiffnessConstants& c) {
  report.blank(2);
  report.put(Record().x(1).a("FREQUENCY  -  ").f(report_hz(omega), 8, 4).a(" Hz ").a("(").f(omega, 8, 4).a(" rad./sec.)"));
  rule(report, 1, 9, '*');
  const std::string_view ks = unit_label(Quantity::TranslationalStiffness, units);
  const std::string_view kr = unit_label(Quantity::RotationalStiffness, units);
  const std::string_view kc = unit_label(Quantity::CrossStiffness, units);
  constant_lines(report, "STIFFNESS CONSTANTS (K)",
                 {{{"HORIZONTAL TRANSLATION (KXX) ..", c.KXX, ks}, {"HORIZONTAL TRANSLATION (KYY) ..", c.KYY, ks},
                   {"VERTICAL TRANSLATION (KWW)  ...", c.KWW, ks}, {"ROTATION (KPPX) .............. ", c.KPPX, kr},
                   {"ROTATION (KPPY)  ..............", c.KPPY, kr}, {"TORSION (KZT)  ................", c.KZT, kr},
                   {"CROSS-STIFFNESS (KXP)  ........", c.KXP, kc}, {"CROSS-STIFFNESS (KYP) ........ ", c.KYP, kc}}});
  const std::string_view ds = unit_label(Quantity::TranslationalDamping, units);
  const std::string_view dr = unit_label(Quantity::RotationalDamping, units);
  const std::string_view dc = unit_label(Quantity::CrossDamping, units);
  constant_lines(report, "DAMPING CONSTANTS (C)",
                 {{{"HORIZONTAL TRANSLATION (CXX) ..", c.CXX, ds}, {"HORIZONTAL TRANSLATION (CYY) ..", c.CYY, ds},
                   {"VERTICAL TRANSLATION (CWW)  ...", c.CWW, ds}, {"ROTATION (CPPX)  ..............", c.CPPX, dr},
                   {"ROTATION (CPPY)  ..............", c.CPPY, dr}, {"TORSION (CZT)  ................", c.CZT, dr},
                   {"CROSS-STIFFNESS (CXP)  ........", c.CXP, dc}, {"CROSS-STIFFNESS (CYP)  ........", c.CYP, dc}}});
}

void write_harmonic_header(Report& report, UnitSystem units) {
  const std::string_view len = unit_label(Quantity::Length, units);
  amplitude_title(report);
  report.line("   FREQ.    FREQ.     TRANS. X    TRANS. Y    VERTICAL   ROT ABOUT   ROT ABOUT   TORSIONAL");
  report.line("    Hz    rad/sec    DIRECTION   DIRECTION                 X AXIS       Y AXIS            ");
  report.line("                       (UOX)       (UOY)       (UOZ)       (EPOX)      (EPOY)      (EPOZ)");
  report.put(Record().x(26).a(len).x(10).a(len).x(10).a(len).x(10).a("rad").x(9).a("rad").x(9).a("rad"));
  report.line("  ------  -------    ---------   ---------   ---------   ---------   ---------   ---------");
  report.blank();
}

void write_harmonic_line(Report& report, Real omega, const Real u[6]) {
  Record r;
  r.x(2).f(report_hz(omega), 7, 2).x(2).f(omega, 7, 2).x(2);
  six_amplitudes(r, u);
  report.put(r);
}

void write_transient_header(Report& report, UnitSystem units) {
  const std::string_view len = unit_label(Quantity::Length, units);
  amplitude_title(report);
  report.put(Record().a("          TRANS. X   TRANS. Y    VERTICAL").x(5).a("ROT ABOUT").x(5).a("ROT ABOUT").x(2)
                 .a("TORSIONAL"));
  report.line("  TIME    DIRECTION  DIRECTION                 X AXIS       Y AXIS            ");
  report.put(Record().x(12).a("(OUX)      (UOY)       (UOZ)       (EPOX)       (EPOY)").x(5).a(" (EPOZ)"));
  report.put(Record().x(14).a(len).x(9).a(len).x(10).a(len).x(9).a("rad").x(10).a("rad").x(9).a("rad"));
  report.put(Record().a("-------   ---------   ---------   --------").a("  ---------").a(" ---------").x(3).a("--------"));
  report.blank();
}

void write_transient_line(Report& report, Real time, const Real u[6]) {
  Record r;
  r.x(1).f(time, 7, 2).x(2);
  six_amplitudes(r, u);
  report.put(r);
}

void write_peak_factor_header(Report& report) {
  report.blank(2);
  report.put(Record().x(13).a("DEGREE OF"));
  report.put(Record().x(14).a("FREEDOM").x(4).a("PEAK FACTOR (G)").x(3).a("MAXIMUM DISPLACEMENT"));
  report.put(Record().x(13).a(std::string(9, '-')).x(3).a(std::string(15, '-')).x(3).a(std::string(20, '-')));
  report.blank();
}

void write_peak_factor_line(Report& report, int dof, Real peak_factor, Real maximum) {
  report.put(Record().x(17).i(dof, 2).x(12).f(peak_factor, 4, 1).x(9).e(maximum, 14, 4));
}

void write_spectrum_header(Report& report, SpectrumKind kind) {
  const bool translation = kind == SpectrumKind::TranslationX;
  const std::string_view title =
      translation ? "RESPONSE SPECTRA CURVE OF TRANSLATION" : "RESPONSE SPECTRA CURVE OF ROTATION";
  report.blank(2);
  report.put(Record().x(14).a(title));
  rule(report, 14, static_cast<int>(title.size()), '-');
  if (translation)
    report.put(Record().x(14).a("FREQUENCY").x(12).a("IN X DIRECTION"));
  else
    report.put(Record().x(14).a("FREQUENCY").x(14).a("ABOUT Y AXIS"));
  report.blank();
}

void write_spectrum_line(Report& report, Real omega, Real density) {
  report.put(Record().x(15).f(omega, 7, 2).x(15).pe(density, 12, 6));
}

}  // namespace korval::engine
