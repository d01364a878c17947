#include "engine/report/echo.hpp"

#include <string>

#include "engine/report/pages.hpp"
#include "engine/report/unit_labels.hpp"

namespace korval::engine {
namespace {

std::string_view label(const InputModel& in, Quantity q) { return unit_label(q, in.units); }

// Two empty lines, a heading and an underline of `n` characters.
void heading(Report& report, std::string_view text, int n, char rule = '*') {
  report.blank(2);
  report.put(Record().x(1).a(text));
  report.put(Record().x(1).a(std::string(static_cast<std::size_t>(n), rule)));
}

void heading(Report& report, std::string_view text) { heading(report, text, static_cast<int>(text.size())); }

void fixed_line(Report& report, std::string_view text, Real v, std::string_view unit = {}) {
  Record r;
  r.x(1).a(text).f(v, 12, 5);
  if (!unit.empty()) r.x(1).a(unit);
  report.put(r);
}

void exp_line(Report& report, std::string_view text, Real v, int w, int d, std::string_view unit) {
  report.put(Record().x(1).a(text).pe(v, w, d).x(1).a(unit));
}

void weak_table(Report& report, const SoilLayer* layers, int n) {
  heading(report, "NONLINEARITY OF SOIL (WEAKENED ZONE)", 36);
  report.line(" LAYER  SHEAR MODULUS  ");
  report.line(" NO.   RATIO          ");
  report.blank();
  for (int k = 0; k < n; ++k) report.put(Record().x(1).i(k + 1, 3).x(5).f(layers[k].weak.modulus_ratio, 7, 3));
}

// The weak-zone table follows a layer table when WEAK is on and the first or second layer has
// a shear modulus ratio above 0.000001.
void weak_table_if_any(Report& report, const InputModel& in, const SoilLayer* layers, int n) {
  if (!in.weak) return;
  const bool any = (n > 0 && layers[0].weak.modulus_ratio > 0.000001f) ||
                   (n > 1 && layers[1].weak.modulus_ratio > 0.000001f);
  if (any) weak_table(report, layers, n);
}

void pile_layer_rows(Report& report, const InputModel& in, const SoilLayer* layers, int n) {
  report.line(" LAYER  SHEAR WAVE    UNIT   POISSONS  MATERIAL");
  report.line(" NO.    VELOCITY    WEIGHT    RATIO    DAMPING");
  report.put(Record().x(11).a(label(in, Quantity::Velocity)).x(6).a(label(in, Quantity::UnitWeight)));
  for (int k = 0; k < n; ++k) {
    const SoilLayer& l = layers[k];
    report.put(Record().x(1).i(k + 1, 3).x(4).f(l.vs, 9, 3).x(1).f(l.unit_weight, 11, 3).x(3)
                   .f(l.poisson, 5, 3).x(3).f(l.damping, 7, 3));
  }
}

void single_soil(Report& report, const InputModel& in, const SoilLayer& l, bool with_weak) {
  heading(report, "SOIL CONSTANTS");
  fixed_line(report, "SHEAR WAVE VELOCITY  ...........", l.vs, label(in, Quantity::Velocity));
  fixed_line(report, "UNIT WEIGHT  ...................", l.unit_weight, label(in, Quantity::UnitWeight));
  fixed_line(report, "POISSONS RATIO  ................", l.poisson);
  fixed_line(report, "MATERIAL DAMPING  ..............", l.damping);
  if (!with_weak) return;
  fixed_line(report, "WEAK SHEAR RATIO  ..............", l.weak.modulus_ratio);
  fixed_line(report, "WEAKPOISSONS RATIO  ..........", l.weak.poisson);
  fixed_line(report, "WEAK MATERIAL DAMPING  .........", l.weak.damping);
  fixed_line(report, "WEAK THICKNESS RATIO  ..........", l.weak.thickness);
}

const char* kLoadTypeNames[6] = {
    "LOAD TYPE CODE - 1 (FORCE IN X-DIRECTION)",  "LOAD TYPE CODE - 2 (FORCE IN Y-DIRECTION)",
    "LOAD TYPE CODE - 3 (FORCE IN Z-DIRECTION)",  "LOAD TYPE CODE - 4 (ROTATION ABOUT X-AXIS)",
    "LOAD TYPE CODE - 5 (ROTATION ABOUT Y-AXIS)", "LOAD TYPE CODE - 6 (ROTATION ABOUT Z-AXIS)",
};

}  // namespace

void echo_option(Report& report, std::string_view text) { heading(report, text); }

void echo_gravity(Report& report, const InputModel& in) {
  report.blank(2);
  report.put(Record().x(1).a("GRAVITATIONAL CONSTANT SET TO").f(in.g, 7, 2).x(1).a(label(in, Quantity::Acceleration)));
  report.put(Record().x(1).a(std::string(44, '*')));
}

void echo_foundation_type(Report& report, const InputModel& in) {
  const char* name = "PILE";
  switch (in.foundation) {
    case FoundationType::HalfSpace: name = "HALF-SPACE"; break;
    case FoundationType::Stratum: name = "STRATUM"; break;
    case FoundationType::Multilayer: name = "MULTILAYER"; break;
    default: break;
  }
  heading(report, std::string("FOUNDATION TYPE - ") + name, 15);
}

void echo_geometry(Report& report, const InputModel& in) {
  const std::string_view len = label(in, Quantity::Length);
  report.blank(2);
  if (in.geometry == Geometry::Circular) {
    report.put(Record().x(1).a("CIRCULAR FOUNDATION  -  RADIUS = ").f(in.radius, 8, 3).x(1).a(len));
    report.put(Record().x(1).a(std::string(19, '*')));
  } else {
    report.put(Record().x(1).a("RECTANGULAR FOUNDATION  -  ").f(in.side_a, 8, 3).x(1).a(len).x(2).a("BY ")
                   .f(in.side_b, 8, 3).x(1).a(len));
    report.put(Record().x(1).a(std::string(22, '*')));
  }
}

void echo_mass(Report& report, const InputModel& in) {
  heading(report, "MASS CONSTANTS");
  const std::string_view inertia = label(in, Quantity::MassInertia);
  exp_line(report, "TOTAL MASS OF FOOTING  .........", in.mass.M, 12, 5, label(in, Quantity::Mass));
  exp_line(report, "MASS MOMENT ABOUT X-AXIS  ......", in.mass.IX, 12, 5, inertia);
  exp_line(report, "MASS MOMENT ABOUT Y-AXIS  ......", in.mass.IY, 12, 5, inertia);
  exp_line(report, "MASS MOMENT ABOUT Z-AXIS  ......", in.mass.IZ, 12, 5, inertia);
  exp_line(report, "CROSS PRODUCT X-Y  .............", in.mass.IXY, 12, 5, inertia);
  exp_line(report, "CROSS PRODUCT X-Z  .............", in.mass.IXZ, 12, 5, inertia);
  exp_line(report, "CROSS PRODUCT Y-Z  .............", in.mass.IYZ, 12, 5, inertia);
}

void echo_soil_media(Report& report, const InputModel& in) {
  if (in.media == SoilMedia::Parabolic) {
    heading(report, "SOIL MEDIA IS PARABOLIC", 23);
    return;
  }
  report.blank(2);
  report.put(Record().x(1).a("NUMBER OF LAYERS OR ELEMENTS - ").i(in.layers, 3));
  report.put(Record().x(1).a(std::string(28, '*')));
}

void echo_pile_locations(Report& report, const InputModel& in) {
  const std::string_view len = label(in, Quantity::Length);
  heading(report, "LOCATION OF PILES");
  report.line(" PILE       X           Y");
  report.line(" NO.     LOCATION    LOCATION");
  report.put(Record().x(13).a(len).x(11).a(len));
  for (int k = 0; k < in.piles; ++k)
    report.put(Record().x(1).i(k + 1, 3).x(6).f(in.pile[k].x, 7, 3).x(5).f(in.pile[k].y, 7, 3));
}

void echo_foundation_constants(Report& report, const InputModel& in) {
  const std::string_view len = label(in, Quantity::Length);
  if (in.foundation == FoundationType::Pile || in.foundation == FoundationType::Multilayer) {
    heading(report, in.foundation == FoundationType::Pile ? "PILE PROPERTIES" : "FOUNDATION PROPERTIES");
    fixed_line(report, "X-LOCATION CENTRE OF GRAV.  ....", in.cg_x, len);
    fixed_line(report, "Y-LOCATION CENTRE OF GRAV.  ....", in.cg_y, len);
    fixed_line(report, "HEIGHT OF CENTRE OF GRAV.  .....", in.cg_h, len);
    fixed_line(report, "TOTAL LENGTH  ..................", in.body.length, len);
    fixed_line(report, "UNIT WEIGHT  ...................", in.body.unit_weight, label(in, Quantity::UnitWeight));
    exp_line(report, "STATIC LOAD ON BODY  ...........", in.body.static_load, 12, 5, label(in, Quantity::Force));
    fixed_line(report, "POISSONS RATIO  ............... ", in.body.poisson);
    fixed_line(report, "MATERIAL DAMPING  ..............", in.body.damping);
    fixed_line(report, "COEFF. OF RIGIDITY  ............", in.body.rigidity);
    exp_line(report, "YOUNGS MODULUS  ............... ", in.body.young, 12, 5, label(in, Quantity::Stress));
    return;
  }
  heading(report, in.foundation == FoundationType::HalfSpace ? "HALF-SPACE FOUNDATION" : "STRATUM PROPERTIES");
  fixed_line(report, "X-LOCATION CENTRE OF GRAV  .....", in.cg_x, len);
  fixed_line(report, "Y-LOCATION CENTRE OF GRAV  .....", in.cg_y, len);
  fixed_line(report, "HEIGHT OF CENTRE OF GRAV  ......", in.cg_h, len);
  if (in.foundation == FoundationType::Stratum) {
    fixed_line(report, "DEPTH OF EMBEDMENT  ............", in.embedment, len);
    fixed_line(report, "DEPTH OF LAYER  ................", in.layer_depth, len);
  }
}

void echo_elements(Report& report, const InputModel& in) {
  heading(report, "ELEMENT");
  if (in.media == SoilMedia::Parabolic) {
    const Element& e = in.element[0];
    fixed_line(report, "RADIUS OF PILE (X)  ............", e.radius_x);
    fixed_line(report, "RADIUS OF PILE (Y)  ............", e.radius_y);
    fixed_line(report, "CROSS SECTIONAL AREA  ..........", e.area);
    fixed_line(report, "MOMENT OF INERTIA (X)  .........", e.ix);
    fixed_line(report, "MOMENT OF INERTIA (Y)  .........", e.iy);
    fixed_line(report, "TORSIONAL STIFFNESS  ...........", e.torsion);
    return;
  }
  const std::string_view len = label(in, Quantity::Length);
  const std::string_view second = label(in, Quantity::SecondMoment);
  report.line(" LAYER  LAYER   PILE    PILE     CROSS    MOMENT OF  MOMENT OF  TORSIONAL");
  report.line(" NO.   DEPTH  RADIUS  RADIUS  SECTIONAL   INERTIA    INERTIA   STIFFNESS");
  report.line("                (X)     (Y)      AREA       '(X)      (Y)");
  report.put(Record().x(10).a(len).x(6).a(len).x(5).a(len).x(5).a(label(in, Quantity::Area)).x(2).a(second).x(2)
                 .a(second).x(2).a(second));
  for (int k = 0; k < in.layers; ++k) {
    const Element& e = in.element[k];
    report.put(Record().x(1).i(k + 1, 3).x(2).f(e.thickness, 7, 3).x(1).f(e.radius_x, 6, 3).x(1).f(e.radius_y, 7, 3)
                   .x(3).pe(e.area, 9, 3).x(2).pe(e.ix, 9, 3).x(2).pe(e.iy, 9, 3).x(2).pe(e.torsion, 9, 2));
  }
}

void echo_battered_pile(Report& report, int position, bool xz_plane, Real theta) {
  report.put(Record().x(1).a("PILE NO.").i(position, 3).a(xz_plane ? " BATTERED IN XZ PLANE" : " BATTERED IN YZ PLANE"));
  report.put(Record().x(1).a("ANGLE BETWEEN PILE AND VERTICAL = ").f(theta, 7, 2).x(1).a("deg."));
}

void echo_soil_constants(Report& report, const InputModel& in) {
  switch (in.foundation) {
    case FoundationType::Stratum: single_soil(report, in, in.stratum, false); break;
    case FoundationType::Pile:
      if (in.media == SoilMedia::Parabolic) {
        single_soil(report, in, in.parabolic, in.weak);
        break;
      }
      heading(report, "SOIL CONSTANTS");
      pile_layer_rows(report, in, in.layer, in.layers);
      weak_table_if_any(report, in, in.layer, in.layers);
      break;
    case FoundationType::HalfSpace: {
      const std::string text = "SOIL CONSTANTS  NUMBER OF SIDE LAYERS - ";
      report.blank(2);
      report.put(Record().x(1).a(text).i(in.side_layers, 3));
      report.put(Record().x(1).a(std::string(text.size() + 3, '*')));
      report.line(" LAYER  LAYER  SHEAR WAVE   UNIT   POISSON'S  MATERIAL");
      report.line(" NO.   DEPTH   VELOCITY   WEIGHT    RATIO     DAMPING");
      report.put(Record().x(10).a(label(in, Quantity::Length)).x(7).a(label(in, Quantity::Velocity)).x(5)
                     .a(label(in, Quantity::UnitWeight)));
      for (int k = 0; k < in.side_layers; ++k) {
        const SoilLayer& l = in.side[k];
        report.put(Record().x(1).i(k + 1, 3).x(1).f(l.thickness, 9, 3).x(2).f(l.vs, 7, 3).x(1).f(l.unit_weight, 10, 3)
                       .x(2).f(l.poisson, 7, 3).x(3).f(l.damping, 7, 3));
      }
      weak_table_if_any(report, in, in.side, in.side_layers);
      break;
    }
    case FoundationType::Multilayer: {
      report.blank(2);
      report.put(Record().x(1).a("SOIL CONSTANTS").x(6).a("NUMBER OF ADJACENT LAYERS -  ").i(in.adjacent_layers, 3));
      report.put(Record().x(1).a(std::string(52, '*')));
      pile_layer_rows(report, in, in.layer, in.adjacent_layers);
      weak_table_if_any(report, in, in.layer, in.adjacent_layers);
      heading(report, "SOIL PROPERTIES BELOW FOUNDATION");
      report.line(" LAYER  SHEAR WAVE   UNIT   POISSON'S  MATERIAL  SHEAR MODULUS  DAMPING RATIO");
      report.line(" NO.    VELOCITY   WEIGHT    RATIO     DAMPING  RATIO(IN/OUT)      (IN/OUT)");
      report.put(Record().x(10).a(label(in, Quantity::Velocity)).x(8).a(label(in, Quantity::UnitWeight)));
      for (int k = in.adjacent_layers; k < in.layers; ++k) {
        const SoilLayer& l = in.layer[k];
        report.put(Record().x(1).i(k + 1, 3).x(5).f(l.vs, 7, 3).x(2).f(l.unit_weight, 9, 3).x(1).f(l.poisson, 7, 3)
                       .x(3).f(l.damping, 7, 3).x(6).f(l.modulus_ratio, 7, 3).x(8).f(l.damping_ratio, 7, 3));
      }
      break;
    }
    default: break;
  }
}

void echo_soil_below(Report& report, const InputModel& in) {
  switch (in.foundation) {
    case FoundationType::HalfSpace: heading(report, "HALF-SPACE SOIL", 15); break;
    case FoundationType::Multilayer: heading(report, "SOIL BELOW MULTILAYER SYSTEM", 28); break;
    default: heading(report, "SOIL BELOW PILE", 15); break;
  }
  report.line(" SHEAR WAVE    UNIT    POISSON'S   MATERIAL");
  report.line(" VELOCITY    WEIGHT     RATIO     DAMPING");
  report.put(Record().x(5).a(label(in, Quantity::Velocity)).x(6).a(label(in, Quantity::UnitWeight)));
  const SoilLayer& b = in.below;
  report.put(Record().x(1).pe(b.vs, 9, 2).x(1).f(b.unit_weight, 11, 4).x(3).f(b.poisson, 5, 3).x(3).f(b.damping, 7, 3));
}

void echo_embedded(Report& report, const InputModel& in) {
  heading(report, "EMBEDDED OPTION", 15);
  report.put(Record().x(1).a("NUMBER OF SIDE LAYERS  -  ").i(in.side_layers, 3));
  report.line(" LAYER  THICKNESS  SHEAR WAVE   UNIT    POISSONS  MATERIAL");
  report.line(" NO.    OF LAYER   VELOCITY   WEIHT    RATIO     DAMPING");
  report.put(Record().x(11).a(label(in, Quantity::Length)).x(8).a(label(in, Quantity::Velocity)).x(6)
                 .a(label(in, Quantity::UnitWeight)));
  for (int k = 0; k < in.side_layers; ++k) {
    const SoilLayer& l = in.side[k];
    report.put(Record().x(1).i(k + 1, 3).x(4).f(l.thickness, 7, 3).x(3).f(l.vs, 7, 2).x(3).f(l.unit_weight, 9, 3)
                   .x(2).f(l.poisson, 7, 3).x(3).f(l.damping, 7, 3));
  }
  if (!in.side_cap) return;
  heading(report, "SIDE-CAP (WEAKENING) OF SIDE LAYERS", 36);
  report.line(" LAYER  SHEAR MODULUS  ");
  report.line(" NO.       RATIO        ");
  for (int k = 0; k < in.side_layers; ++k)
    report.put(Record().x(1).i(k + 1, 3).x(5).f(in.side[k].weak.modulus_ratio, 7, 3).x(6));
}

void echo_harmonic(Report& report, const InputModel& in) {
  const HarmonicLoad& h = in.harmonic;
  if (h.quadratic)
    heading(report, "HARMONIC LOAD, QUADRATIC", 24);
  else
    heading(report, "HARMONIC LOAD, NON QUADRATIC", 28);
  exp_line(report, "MAXIMUM FREQUENCY ..............", report_hz(h.w_max), 10, 3, "Hz");
  exp_line(report, "MINIMUM FREQUENCY ..............", report_hz(h.w_min), 10, 3, "Hz");
  exp_line(report, "STEP FREQUENCY .................", report_hz(h.w_step), 10, 3, "Hz");
  if (!h.quadratic) {
    const std::string_view force = label(in, Quantity::Force), moment = label(in, Quantity::Moment);
    exp_line(report, "FORCE IN X-DIRECTION  ..........", h.load[0], 10, 3, force);
    exp_line(report, "FORCE IN Y-DIRECTION  ..........", h.load[1], 10, 3, force);
    exp_line(report, "FORCE IN Z-DIRECTION  ..........", h.load[2], 10, 3, force);
    exp_line(report, "MOMENT ABOUT X-AXIS  ...........", h.load[3], 10, 3, moment);
    exp_line(report, "MOMENT ABOUT Y-AXIS  ...........", h.load[4], 10, 3, moment);
    exp_line(report, "MOMENT ABOUT Z-AXIS  ...........", h.load[5], 10, 3, moment);
  } else {
    const std::string_view ml = label(in, Quantity::MassLength), mi = label(in, Quantity::MassInertia);
    exp_line(report, "FORCE COEFF. IN X-DIRECTION  ...", h.load[0], 10, 3, ml);
    exp_line(report, "FORCE COEFF. IN Y-DIRECTION  ...", h.load[1], 10, 3, ml);
    exp_line(report, "FORCE COEFF. IN Z-DIRECTION  ...", h.load[2], 10, 3, ml);
    exp_line(report, "MOMENT COEFF. ABOUT X-AXIS  ....", h.load[3], 10, 3, mi);
    exp_line(report, "MOMENT COEFF. ABOUT Y-AXIS  ....", h.load[4], 10, 3, mi);
    exp_line(report, "MOMENT COEFF. ABOUT Z-AXIS  ....", h.load[5], 10, 3, mi);
  }
}

void echo_transient_header(Report& report, const InputModel& in) {
  const TransientLoad& t = in.transient;
  heading(report, "TRANSIENT LOAD", 14);
  report.put(Record().x(1).a("NUMBER OF POINTS  ..............  ").i(t.samples, 4));
  report.put(Record().x(1).a("TIME INTERVAL BETWEEN POINTS  ..").f(t.dt, 7, 3));
  report.put(Record().x(1).a("NUMBER OF LOADS  ...............").i(t.loads, 3));
}

void echo_transient_load(Report& report, const InputModel& in, int code, const Real* values, int n) {
  report.put(Record().x(1).a(kLoadTypeNames[code - 1]));
  report.put(Record().x(1).a("LOAD AMPLITUDES").x(1).a(label(in, code <= 3 ? Quantity::Force : Quantity::Moment)));
  for (int k = 0; k < n; ++k) report.put(Record().x(3).pe(values[k], 10, 3));
}

void echo_random_header(Report& report, const InputModel& in) {
  const RandomLoad& r = in.random;
  heading(report, "RANDOM LOAD", 11);
  report.put(Record().x(1).a("MAXIMUM FREQUENCY (Hz)  ........").f(report_hz(r.w_max), 7, 3));
  report.put(Record().x(1).a("MINIMUM FREQUENCY (Hz) .........").f(report_hz(r.w_min), 7, 3));
  report.put(Record().x(1).a("NUMBER OF POINTS  ..............").i(r.points, 4));
  report.put(Record().x(1).a("NUMBER OF SPECTRA  .............").i(r.spectra, 4));
}

void echo_random_spectrum(Report& report, const InputModel& in, int i, int j, const Real* values, int n) {
  report.put(Record().x(1).a("LOCATION OF SPECTRA  -  ").i(i, 3).x(2).i(j, 3));
  report.put(Record().x(1).a("LOAD AMPLITUDES").x(1).a(label(in, Quantity::Force)));
  for (int k = 0; k < n; ++k) report.put(Record().x(2).e(values[k], 10, 3));
}

}  // namespace korval::engine
