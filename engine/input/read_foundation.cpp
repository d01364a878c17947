// GRAVITY and FOUNDATION blocks.
#include <cmath>
#include <string>

#include "engine/input/derived.hpp"
#include "engine/input/read_context.hpp"
#include "engine/report/echo.hpp"

namespace korval::engine {
namespace {

// " INVALID KEYWORD - code FOR ...", fatal; the block is left.
void invalid(ReadContext& cx, Code code, std::string_view what) {
  cx.fatal({std::string(" INVALID KEYWORD - ") + std::string(code.view()) + std::string(what), kWillNotExecute});
}

// A word of the block; false at the end of the input.
bool next_word(ReadContext& cx, Code& code, int& kw) {
  if (cx.items.word(code) == ReadStatus::End) return false;
  kw = keyword_number(code);
  return true;
}

bool read_geometry(ReadContext& cx, int kw) {
  InputModel& in = cx.in;
  Real v[2] = {};
  const int n = kw == kCircular ? 1 : 2;
  bool ok = cx.numbers(v, n);
  ok = ok && v[0] > 0 && (n == 1 || v[1] > 0);
  if (!ok) {
    cx.fatal({" *** BAD DATA IN GEOMETRY DESCRIPTION ***", kGeometryContinue, kGeometryCannot});
    return false;
  }
  in.geometry = kw == kCircular ? Geometry::Circular : Geometry::Rectangular;
  in.radius = n == 1 ? v[0] : 0;
  in.side_a = n == 2 ? v[0] : 0;
  in.side_b = n == 2 ? v[1] : 0;
  in.radii = n == 1 ? circular_radii(in.radius) : rectangular_radii(in.side_a, in.side_b);
  in.stratum_radii = in.radii;
  in.mean_radius = mean_radius(in.stratum_radii);
  if (cx.echo()) echo_geometry(cx.report, in);
  return true;
}

bool read_mass(ReadContext& cx) {
  Real v[7];
  if (!cx.numbers(v, 7)) {
    cx.fatal({" ERROR ENCOUNTERED IN FOUNDATION MASS DESCRIPTION", kWillNotExecute});
    return false;
  }
  cx.in.mass = {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
  if (cx.echo()) echo_mass(cx.report, cx.in);
  return true;
}

// LAYERS n or PARABOLIC, for piles and multilayer bodies.
bool read_media(ReadContext& cx) {
  InputModel& in = cx.in;
  Code code;
  int kw = 0;
  if (!next_word(cx, code, kw)) return false;
  if (kw == kParabolic && in.foundation == FoundationType::Multilayer) {
    cx.fatal({" MULTILAYER FOUNDATION IS NOT ALLOWED A PARABOLIC SOIL MEDIA"});
    return false;
  }
  if (kw == kParabolic) {
    in.media = SoilMedia::Parabolic;
    in.layers = kParabolicSublayers;
  } else if (kw == kLayers) {
    int n = 0;
    if (!cx.count(n)) {
      cx.fatal({" ERROR ENCOUNTERED WHILE READING NUMBER OF LAYERS", kWillNotExecute});
      return false;
    }
    if (n > kMaxLayers) {
      cx.fatal({" ERROR - NUMBER OF LAYERS EXCEEDS 30"});
      return false;
    }
    if (n < 1) {
      cx.fatal({" ERROR - NUMBER OF LAYERS MUST BE AT LEAST 1", kWillNotExecute});
      return false;
    }
    in.media = SoilMedia::Layered;
    in.layers = n;
  } else {
    invalid(cx, code, " FOR SOIL MEDIA TYPE");
    return false;
  }
  if (cx.echo()) echo_soil_media(cx.report, in);
  return true;
}

bool read_piles(ReadContext& cx) {
  InputModel& in = cx.in;
  Code code;
  int kw = 0;
  if (!next_word(cx, code, kw)) return false;
  if (kw != kFixed && kw != kPinned) {
    invalid(cx, code, " FOR FIXED OR PINNED INFOR   MATION");
    return false;
  }
  in.fixed_head = kw == kFixed;
  if (kw == kPinned && cx.echo()) echo_option(cx.report, "PILES ARE PINNED AT BUTT");

  int np = 0;
  if (!cx.count(np)) {
    cx.fatal({" ERROR ENCOUNTERED WHILE READING NUMBER OF PILES", kWillNotExecute});
    return false;
  }
  if (np > kMaxPiles) {
    cx.fatal({" ERROR - NUMBER OF PILES EXCEEDS 500"});
    return false;
  }
  if (np < 1) {
    cx.fatal({" ERROR - NUMBER OF PILES MUST BE AT LEAST 1", kWillNotExecute});
    return false;
  }
  in.piles = np;
  for (int k = 0; k < np; ++k) {
    Real number = 0;
    Pile& p = in.pile[k];
    p = Pile{};
    if (!cx.number(number)) {
      cx.fatal({" ERROR ENCOUNTERED WHILE READING PILE NUMBER", kWillNotExecute});
      return false;
    }
    if (!cx.number(p.x)) {
      cx.fatal({" ERROR ENCOUNTERED WHILE READING PILE X-LOCATOR", kWillNotExecute});
      return false;
    }
    if (!cx.number(p.y)) {
      cx.fatal({" ERROR ENCOUNTERED WHILE READING PILE Y-LOCATOR", kWillNotExecute});
      return false;
    }
  }
  if (cx.echo()) echo_pile_locations(cx.report, in);
  return true;
}

bool read_constants(ReadContext& cx) {
  InputModel& in = cx.in;
  Code code;
  int kw = 0;
  if (!next_word(cx, code, kw)) return false;
  if (kw != kConstants) {
    invalid(cx, code, " FOR CONSTANT INFORMATION");
    return false;
  }
  Real cg[3];
  if (!cx.numbers(cg, 3)) {
    cx.fatal({" ERROR ENCOUNTERED WHILE READING CENTRE OF GRAVITY VARIABLES", kWillNotExecute});
    return false;
  }
  in.cg_x = cg[0];
  in.cg_y = cg[1];
  in.cg_h = cg[2];
  const std::initializer_list<std::string_view> constants_error = {" ERROR ENCOUNTERED WHILE READING FOUNDATION CONSTANTS",
                                                                   kWillNotExecute};
  if (in.foundation == FoundationType::Pile || in.foundation == FoundationType::Multilayer) {
    Real v[7];
    if (!cx.numbers(v, 7)) {
      cx.fatal(constants_error);
      return false;
    }
    in.body = {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
  } else if (in.foundation == FoundationType::Stratum) {
    Real v[2];
    if (!cx.numbers(v, 2)) {
      cx.fatal(constants_error);
      return false;
    }
    in.embedment = v[0];
    in.layer_depth = v[1];
  }
  if (cx.echo()) echo_foundation_constants(cx.report, in);
  if (in.foundation == FoundationType::Stratum) {
    // The stratum model holds for moderate embedment only; a layer without depth, or a
    // negative embedment, has no model at all.
    const bool valid = in.layer_depth > 0 && in.embedment >= 0 && in.geometry != Geometry::Unset &&
                       !(in.embedment / in.mean_radius > 1.5f) && !(in.embedment / in.layer_depth > 0.75f);
    if (!valid) {
      cx.fatal({" THE STRATUM OPTION IS NOT GOOD FOR THIS CASE", " CHECK YOUR E/R,E/H,R/H VALUES"});
      return false;
    }
  }
  return true;
}

bool read_elements(ReadContext& cx) {
  InputModel& in = cx.in;
  Code code;
  int kw = 0;
  if (!next_word(cx, code, kw)) return false;
  if (kw != kElement) {
    invalid(cx, code, " FOR ELEMENT INFORMATION");
    return false;
  }
  // One line: the closing words run on after the data name.
  const std::initializer_list<std::string_view> error = {
      " ERROR ENCOUNTERED WHILE READING ELEMENT DATA PR   OGRAM WILL NOT EXECUTE"};
  if (in.media == SoilMedia::Parabolic) {
    Real v[6];
    if (!cx.numbers(v, 6)) {
      cx.fatal(error);
      return false;
    }
    for (int k = 1; k <= kParabolicSublayers; ++k) {
      Element& e = in.element[k - 1];
      Real vs_unused = 0;
      parabolic_sublayer(k, in.body.length, 0, e.thickness, vs_unused);
      e.radius_x = v[0];
      e.radius_y = v[1];
      e.area = v[2];
      e.ix = v[3];
      e.iy = v[4];
      e.torsion = v[5];
    }
  } else {
    for (int k = 0; k < in.layers; ++k) {
      Real v[8];
      if (!cx.numbers(v, 8)) {
        cx.fatal(error);
        return false;
      }
      in.element[k] = {v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
    }
  }
  if (cx.echo()) echo_elements(cx.report, in);
  return true;
}

// The optional tip word: END-BEARING or FLOATING; anything else is left for what follows.
void read_tip(ReadContext& cx) {
  Code code;
  int kw = 0;
  if (cx.items.at_end() || !next_word(cx, code, kw)) return;
  if (kw == kEndBearing) {
    cx.in.end_bearing = true;
    if (cx.echo()) echo_option(cx.report, "PILE TIP CONDITION : END-BEARING");
  } else if (kw != kFloating) {
    cx.items.push_back();
  }
}

// Battered-pile records of all piles: number, plane XZ or YZ, angle from the vertical.
void read_battered(ReadContext& cx) {
  InputModel& in = cx.in;
  in.battered = true;
  if (cx.echo()) {
    echo_option(cx.report, "BATTERED PILES");
    cx.report.blank();
  }
  const std::initializer_list<std::string_view> ignored = {" BATTERED OPTION WILL BE IGNORED."};
  for (int k = 0; k < in.piles; ++k) {
    Real number = 0, theta = 0;
    Code plane;
    if (!cx.number(number) || cx.items.word(plane) == ReadStatus::End) {
      in.battered = false;
      if (!cx.items.exhausted())
        cx.report.message({" ERROR ENCOUNTERED WHILE READING BATTERED PILE DATA", *ignored.begin()});
      return;
    }
    const bool xz = plane.view() == "XZ  ";
    if (!xz && plane.view() != "YZ  ") {
      in.battered = false;
      cx.report.message({std::string(" UNRECOGNIZED PLANE ") + std::string(plane.view()) + " FOR BATTERED PILES",
                         *ignored.begin()});
      return;
    }
    if (!cx.number(theta)) {
      in.battered = false;
      if (!cx.items.exhausted())
        cx.report.message({" ERROR ENCOUNTERED WHILE READING BATTERED PILE DATA", *ignored.begin()});
      return;
    }
    set_batter_angles(in.pile[k], xz ? BatterPlane::XZ : BatterPlane::YZ, theta);
    if (cx.echo()) echo_battered_pile(cx.report, k + 1, xz, theta);
    if (in.piles == 1 && theta == 0) {
      in.battered = false;
      cx.report.message({" ANGLE BETWEEN PILE AND VERTICAL IS ZERO, THEREFORE THE PILE IS NOT BATTERED.",
                         *ignored.begin()});
    }
  }
}

// BATTERED and INTERACTION in either order, until both have been read; a repeated one is
// read again (a second BATTERED replaces the records of the first).
void read_group_options(ReadContext& cx) {
  bool battered = false, interaction = false;
  while (!(battered && interaction) && !cx.items.at_end()) {
    Code code;
    int kw = 0;
    if (!next_word(cx, code, kw)) return;
    if (kw == kBattered) {
      battered = true;
      read_battered(cx);
    } else if (kw == kInteraction) {
      interaction = true;
      cx.in.interaction = true;
      if (cx.echo()) echo_option(cx.report, "PILE-SOIL-PILE INTERACTION IS CONSIDERED");
      Code tip;
      int tkw = 0;
      if (!cx.items.at_end() && next_word(cx, tip, tkw) && tkw != kFloating && tkw != kEndBearing)
        cx.items.push_back();
    } else {
      cx.items.push_back();
      return;
    }
  }
}

}  // namespace

void read_gravity(ReadContext& cx) {
  InputModel& in = cx.in;
  Real g = 0;
  if (!cx.number(g)) {
    cx.fatal({" ERROR ENCOUNTERED WHILE READING GRAV. CONSTANT", kWillNotExecute});
    return;
  }
  in.g = g;
  in.gravity_set = true;
  in.units = g > 10 ? UnitSystem::English : UnitSystem::SI;
  if (cx.echo()) echo_gravity(cx.report, in);
}

void read_foundation(ReadContext& cx) {
  InputModel& in = cx.in;
  Code code;
  int kw = 0;
  if (!next_word(cx, code, kw)) return;
  switch (kw) {
    case kPile: in.foundation = FoundationType::Pile; break;
    case kHalfSpace: in.foundation = FoundationType::HalfSpace; break;
    case kStratum: in.foundation = FoundationType::Stratum; break;
    case kMultilayer: in.foundation = FoundationType::Multilayer; break;
    default: invalid(cx, code, " FOR FOUNDATION TYPE"); return;
  }
  // A later FOUNDATION block describes a new foundation from scratch.
  in.media = SoilMedia::Layered;
  in.layers = 0;
  in.piles = 0;
  in.fixed_head = true;
  in.end_bearing = in.battered = in.interaction = false;
  if (cx.echo()) echo_foundation_type(cx.report, in);

  if (!next_word(cx, code, kw)) return;
  if (kw != kCircular && kw != kRectangular) {
    invalid(cx, code, " FOR GEOMETRY TYPE");
    return;
  }
  if (!read_geometry(cx, kw)) return;

  if (!next_word(cx, code, kw)) return;
  if (kw != kMass) {
    invalid(cx, code, " FOR MASS INFORMATION");
    return;
  }
  if (!read_mass(cx)) return;

  const bool pile = in.foundation == FoundationType::Pile;
  const bool body = pile || in.foundation == FoundationType::Multilayer;
  if (body && !read_media(cx)) return;
  if (pile && !read_piles(cx)) return;
  if (!read_constants(cx)) return;
  if (!body) return;
  if (!read_elements(cx)) return;
  read_tip(cx);
  if (pile) read_group_options(cx);
}

}  // namespace korval::engine
