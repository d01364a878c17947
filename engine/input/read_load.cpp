// LOAD block: harmonic, transient or random loading.
#include <cmath>
#include <string>

#include "engine/input/derived.hpp"
#include "engine/input/read_context.hpp"
#include "engine/report/echo.hpp"
#include "engine/response/frequency_grid.hpp"

namespace korval::engine {
namespace {

void load_error(ReadContext& cx) {
  cx.fatal({" ERROR ENCOUNTERED IN LOAD DESCRIPTION", kLoadContinue, kLoadCannot, kWillNotExecute});
}

// "ERROR - <what> ( n ) CANNOT BE LESS THAN 1 OR EXCEED A VALUE OF <upper>", then the
// load-description error. Codes show in three columns, counts in six.
void range_error(ReadContext& cx, std::string_view what, int n, int upper) {
  Record first;
  first.x(1).a("ERROR - ").a(what).a(" ( ").i(n, upper > 9 ? 6 : 3).a(" ) CANNOT BE ");
  Record second;
  second.x(1).a("LESS THAN 1 OR EXCEED A VALUE OF ").a(std::to_string(upper));
  cx.fatal({first.text(), second.text()});
  load_error(cx);
}

// "ERROR - <what> ( n ) CANNOT BE NEGATIVE", then the load-description error.
void negative_count_error(ReadContext& cx, std::string_view what, int n) {
  Record line;
  line.x(1).a("ERROR - ").a(what).a(" ( ").i(n, 6).a(" ) CANNOT BE NEGATIVE");
  cx.fatal({line.text()});
  load_error(cx);
}

void read_harmonic(ReadContext& cx) {
  InputModel& in = cx.in;
  HarmonicLoad& h = in.harmonic;
  Code kind;
  if (cx.items.word(kind) == ReadStatus::End) return;
  h.quadratic = keyword_number(kind) == kQuadratic;
  Real v[12];
  if (!cx.numbers(v, 12)) return load_error(cx);
  h.w_max = v[0];
  h.w_min = v[1];
  h.w_step = v[2];
  resultant_at_centre(v + 3, v[9], v[10], v[11], h.load);
  const int nf = harmonic_frequency_count(h);
  if (nf < 1 || nf > kMaxFrequencies) return range_error(cx, "NUMBER OF FREQUENCIES", nf, kMaxFrequencies);
  in.load = LoadType::Harmonic;
  if (cx.echo()) echo_harmonic(cx.report, in);
}

void read_transient(ReadContext& cx) {
  InputModel& in = cx.in;
  TransientLoad& t = in.transient;
  t = TransientLoad{};
  Real v[3];
  if (!cx.numbers(v, 3)) return load_error(cx);
  t.samples = nearest_int(v[0]);
  t.dt = v[1];
  t.loads = nearest_int(v[2]);
  if (t.samples < 1 || t.samples > kMaxSamples) return range_error(cx, "NUMBER OF POINTS", t.samples, kMaxSamples);
  if (!(t.dt > 0)) {
    cx.fatal({" ERROR - TIME INTERVAL BETWEEN POINTS MUST BE GREATER THAN ZERO"});
    return load_error(cx);
  }
  if (t.loads < 0) return negative_count_error(cx, "NUMBER OF LOADS", t.loads);
  if (cx.echo()) echo_transient_header(cx.report, in);
  for (int l = 0; l < t.loads; ++l) {
    int code = 0;
    if (!cx.count(code)) return load_error(cx);
    if (code < 1 || code > 6) return range_error(cx, "LOAD TYPE INDICATOR", code, 6);
    // A degree of freedom loaded twice keeps the later history.
    Real* history = t.history[code - 1];
    if (!cx.numbers(history, t.samples)) return load_error(cx);
    t.given[code - 1] = true;
    if (cx.echo()) echo_transient_load(cx.report, in, code, history, t.samples);
  }
  in.load = LoadType::Transient;
}

void read_random(ReadContext& cx) {
  InputModel& in = cx.in;
  RandomLoad& r = in.random;
  r = RandomLoad{};
  Real v[5];
  if (!cx.numbers(v, 5)) return load_error(cx);
  r.w_max = v[0];
  r.w_min = v[1];
  r.points = nearest_int(v[2]);
  r.duration = v[3];
  r.spectra = nearest_int(v[4]);
  if (r.points < 1 || r.points > kMaxFrequencies) return range_error(cx, "NUMBER OF POINTS", r.points, kMaxFrequencies);
  if (r.points > 1 && !(r.w_max > r.w_min)) {
    cx.fatal({" ERROR - MAXIMUM FREQUENCY MUST EXCEED MINIMUM FREQUENCY"});
    return load_error(cx);
  }
  // The frequency table holds what the sweep gives; a span beyond single precision, or a
  // step too small to be told from zero, gives no sweep that fits it.
  const int nf = random_frequency_count(r);
  if (nf < 1 || nf > kMaxFrequencies) return range_error(cx, "NUMBER OF FREQUENCIES", nf, kMaxFrequencies);
  if (r.spectra < 0) return negative_count_error(cx, "NUMBER OF SPECTRA", r.spectra);
  if (cx.echo()) echo_random_header(cx.report, in);
  for (int s = 0; s < r.spectra; ++s) {
    int i = 0, j = 0;
    if (!cx.count(i)) return load_error(cx);
    if (i < 1 || i > 6) return range_error(cx, "LOCATION OF SPECTRA", i, 6);
    if (!cx.count(j)) return load_error(cx);
    if (j < 1 || j > 6) return range_error(cx, "LOCATION OF SPECTRA", j, 6);
    Real* values = r.spectrum[i - 1][j - 1];
    if (!cx.numbers(values, r.points)) return load_error(cx);
    // Each entry keeps the value given for it; the mirror entry takes it until it is given itself.
    r.given[i - 1][j - 1] = true;
    if (!r.given[j - 1][i - 1])
      for (int k = 0; k < r.points; ++k) r.spectrum[j - 1][i - 1][k] = values[k];
    if (cx.echo()) echo_random_spectrum(cx.report, in, i, j, values, r.points);
  }
  in.load = LoadType::Random;
}

}  // namespace

void read_load(ReadContext& cx) {
  Code code;
  if (cx.items.word(code) == ReadStatus::End) return;
  const int kw = keyword_number(code);
  if (kw != kHarmonic && kw != kTransient && kw != kRandom) {
    cx.fatal({std::string(" INVALID OR UNRECOGNIZED KEYWORD - ") + std::string(code.view()) + " FOR LOAD    TYPE",
              kWillNotExecute});
    return;
  }
  Code constants;
  if (cx.items.word(constants) == ReadStatus::End) return;
  if (keyword_number(constants) != kConstants) {
    cx.fatal({" 'CONSTANT' KEYWORD MISSING FOR LOAD DESCRIPTION", kWillNotExecute});
    return;
  }
  // A later LOAD block replaces the load; until it is complete there is none.
  cx.in.load = LoadType::Unset;
  if (kw == kHarmonic) read_harmonic(cx);
  if (kw == kTransient) read_transient(cx);
  if (kw == kRandom) read_random(cx);
}

}  // namespace korval::engine
