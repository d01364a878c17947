// SOIL block: weak zone, soil constants by foundation type, soil below, embedded cap.
#include <string>

#include "engine/input/derived.hpp"
#include "engine/input/read_context.hpp"
#include "engine/report/echo.hpp"

namespace korval::engine {
namespace {

const std::initializer_list<std::string_view> kSoilError = {" ERROR ENCOUNTERED WHILE READING SOIL CONSTANTS",
                                                            kWillNotExecute};

// Vs, unit weight, Poisson's ratio, damping, and with `weak` the four weak-zone values;
// without them the weak zone is neutral (ratio 1, the layer's own Poisson's ratio and damping).
// The thickness ratio of a weak zone is kept only where the modulus is really reduced.
bool read_layer(ReadContext& cx, SoilLayer& l, bool weak) {
  Real v[8] = {};
  if (!cx.numbers(v, weak ? 8 : 4)) return false;
  l.vs = v[0];
  l.unit_weight = v[1];
  l.poisson = v[2];
  l.damping = v[3];
  if (weak)
    l.weak = {v[4], v[5], v[6], v[4] <= 0.999f ? v[7] : 0.0f};
  else
    l.weak = {1, l.poisson, l.damping, 0};
  return true;
}

// A row that starts with its layer number (not used).
bool read_numbered_layer(ReadContext& cx, SoilLayer& l, bool weak, bool with_thickness) {
  Real number = 0;
  if (!cx.number(number)) return false;
  if (with_thickness && !cx.number(l.thickness)) return false;
  return read_layer(cx, l, weak);
}

// The soil constants after SOIL ... CONSTANTS, by foundation type.
bool SOLCST(ReadContext& cx) {
  InputModel& in = cx.in;
  switch (in.foundation) {
    case FoundationType::Stratum:
      if (!read_layer(cx, in.stratum, false)) return cx.fatal(kSoilError), false;
      break;
    case FoundationType::Pile:
      if (in.media == SoilMedia::Parabolic) {
        if (!read_layer(cx, in.parabolic, in.weak)) return cx.fatal(kSoilError), false;
        break;
      }
      for (int k = 0; k < in.layers; ++k)
        if (!read_numbered_layer(cx, in.layer[k], in.weak, false)) return cx.fatal(kSoilError), false;
      break;
    case FoundationType::HalfSpace: {
      int n = 0;
      if (!cx.count(n)) return cx.fatal(kSoilError), false;
      if (n > kMaxLayers) return cx.fatal({" ERROR - NUMBER OF LAYERS EXCEEDS 30"}), false;
      if (n < 0) return cx.fatal({" ERROR - NUMBER OF LAYERS MUST NOT BE NEGATIVE", kWillNotExecute}), false;
      in.side_layers = n;
      for (int k = 0; k < n; ++k)
        if (!read_numbered_layer(cx, in.side[k], in.weak, true)) return cx.fatal(kSoilError), false;
      break;
    }
    case FoundationType::Multilayer: {
      int na = 0;
      if (!cx.count(na)) return cx.fatal(kSoilError), false;
      if (na < 0 || na > in.layers) {
        cx.fatal({" ERROR - NUMBER OF ADJACENT LAYERS EXCEEDS THE NUMBER OF LAYERS", kWillNotExecute});
        return false;
      }
      in.adjacent_layers = na;
      for (int k = 0; k < na; ++k)
        if (!read_numbered_layer(cx, in.layer[k], in.weak, false)) return cx.fatal(kSoilError), false;
      for (int k = na; k < in.layers; ++k) {
        Real v[7];
        if (!cx.numbers(v, 7)) return cx.fatal(kSoilError), false;
        SoilLayer& l = in.layer[k];
        l.vs = v[1];
        l.unit_weight = v[2];
        l.poisson = v[3];
        l.damping = v[4];
        l.modulus_ratio = v[5];
        l.damping_ratio = v[6];
        l.weak = {1, l.poisson, l.damping, 0};
      }
      break;
    }
    default:
      cx.fatal({" SOIL DATA MUST FOLLOW A COMPLETE FOUNDATION DESCRIPTION", kWillNotExecute});
      return false;
  }
  if (cx.echo()) echo_soil_constants(cx.report, in);
  return true;
}

// SIDE-CAP and EMBEDDED after the soil below the piles.
void read_cap_options(ReadContext& cx) {
  InputModel& in = cx.in;
  while (!cx.items.at_end()) {
    Code code;
    if (cx.items.word(code) == ReadStatus::End) break;
    const int kw = keyword_number(code);
    if (kw == kSideCap) {
      in.side_cap = true;
      continue;
    }
    if (kw != kEmbedded) {
      cx.items.push_back();
      break;
    }
    in.embedded = true;
    int n = 0;
    bool ok = cx.count(n) && n >= 0 && n <= kMaxLayers;
    if (ok) in.side_layers = n;
    for (int k = 0; ok && k < n; ++k) {
      SoilLayer& l = in.side[k];
      Real number = 0, v[9] = {};
      ok = cx.number(number) && cx.numbers(v, in.side_cap ? 9 : 5);
      l = SoilLayer{};
      l.thickness = v[0];
      l.vs = v[1];
      l.unit_weight = v[2];
      l.poisson = v[3];
      l.damping = v[4];
      l.weak = in.side_cap ? WeakZone{v[5], v[6], v[7], v[8]} : WeakZone{1, l.poisson, l.damping, 0};
    }
    if (!ok) {
      in.embedded = in.side_cap = false;
      in.side_layers = 0;
      if (!cx.items.exhausted())
        cx.report.message({" ERROR ENCOUNTERED WHILE READING EMBEDDED OR ISO   LATION DATA",
                           " PROGRAM WILL IGNORE THESE OPTIONS"});
      continue;
    }
    if (cx.echo()) echo_embedded(cx.report, in);
  }
  if (in.side_cap && !in.embedded) {
    in.side_cap = false;
    cx.report.message({" SIDE-CAP KEYWORD WAS INPUT WITHOUT THE EMBEDDED KEYWORD - THE SIDE-CAP OPTION WILL BE IGNORED"});
  }
}

// The 30 sublayers of a parabolic profile take the given soil with the velocity of their depth.
void expand_parabolic(InputModel& in) {
  for (int k = 1; k <= kParabolicSublayers; ++k) {
    SoilLayer& l = in.layer[k - 1];
    Real thickness = 0;
    l = in.parabolic;
    parabolic_sublayer(k, in.body.length, in.parabolic.vs, thickness, l.vs);
  }
  in.tip_velocity = in.parabolic.vs;
}

}  // namespace

void read_soil(ReadContext& cx) {
  InputModel& in = cx.in;
  Code code;
  int kw = 0;
  in.weak = false;
  for (;;) {
    if (cx.items.word(code) == ReadStatus::End) return;
    kw = keyword_number(code);
    if (kw != kWeak) break;
    if (in.foundation == FoundationType::Stratum) {
      cx.fatal({" WEAK IS AN IMPROPER KEYWORD FOR THIS FOUNDATION   TYPE", kWillNotExecute});
      return;
    }
    in.weak = true;
  }
  if (kw != kConstants) {
    cx.fatal({" WEAK OR CONSTANT SUBKEYWORDS ARE EXPECTED TO FO   LLOW SOIL KEYWORD", kWillNotExecute});
    return;
  }
  if (!SOLCST(cx)) return;
  if (in.foundation == FoundationType::Pile) {
    if (in.media == SoilMedia::Parabolic)
      expand_parabolic(in);
    else if (in.layers > 0)
      in.tip_velocity = in.layer[in.layers - 1].vs;
  }
  if (in.foundation == FoundationType::Stratum) return;

  if (cx.items.word(code) == ReadStatus::End) return;
  if (keyword_number(code) != kBelow) {
    cx.fatal({" BELOW SUBKEYWORD IS EXPECTED TO FOLLOW SOIL CON   STANT DATA", kWillNotExecute});
    return;
  }
  if (!read_layer(cx, in.below, false)) {
    cx.fatal({" *** BAD DATA IN SOIL DESCRIPTION BELOW PILE ***", kBelowContinue, kBelowCannot});
    return;
  }
  if (cx.echo()) echo_soil_below(cx.report, in);
  if (in.foundation == FoundationType::Pile) {
    in.embedded = in.side_cap = false;
    in.side_layers = 0;
    read_cap_options(cx);
  }
}

}  // namespace korval::engine
