#include "engine/input/keyword_loop.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/input/read_context.hpp"
#include "engine/report/echo.hpp"

namespace korval::engine {
namespace {

void read_title(ReadContext& cx) {
  std::string_view text;
  if (cx.items.line(text) == ReadStatus::End) {
    cx.report.message({" END OF FILE ENCOUNTERED WHILE READING TITLE"});
    return;
  }
  const std::size_t n = std::min<std::size_t>(text.size(), 80);
  cx.in.title.fill('\0');
  std::memcpy(cx.in.title.data(), text.data(), n);
  if (cx.echo()) write_page_header(cx.report, cx.in, cx.stamp, PageKind::DataEcho);
}

void subkeyword_notice(Report& report, Code code, std::string_view text) {
  report.message({" " + std::string(code.view()) + std::string(text)});
}

}  // namespace

LoopEnd read_keywords(RunState& state, ItemReader& items, Report& report, const RunStamp& stamp) {
  ReadContext cx{state, state.in, items, report, stamp};
  InputModel& in = state.in;
  for (;;) {
    Code code;
    // At the end of the input the item reader says so first, then the loop stops.
    if (items.word(code) == ReadStatus::End) {
      report.message({" END OF FILE ENCOUNTERED - PROGRAM STOP EXECUTED"});
      return LoopEnd::Stop;
    }
    const int kw = keyword_number(code);
    if (kw == kUnknown) report.message({std::string(" UNRECOGNIZED KEYWORD - ") + std::string(code.view())});
    switch (kw) {
      case kTitle: read_title(cx); break;
      case kGravity: read_gravity(cx); break;
      case kFoundation: read_foundation(cx); break;
      case kSoil: read_soil(cx); break;
      case kLoad: read_load(cx); break;
      case kEcho: in.echo = true; break;
      case kNoEcho: in.echo = false; break;
      case kWide:
        in.wide = true;
        echo_option(report, "WIDE PRINTOUT FOR HARMONIC RESPONSE CURVE");
        break;
      case kNarrow: in.wide = false; break;
      case kMatrix:
        in.print_constants = true;
        if (in.echo) echo_option(report, "STIFFNESS AND DAMPING CONSTANTS TO BE PRINTED");
        break;
      case kDimensionless:
        in.dimensionless = true;
        if (in.echo) echo_option(report, "DIMENSIONLESS RESPONSE");
        break;
      case kRun: return LoopEnd::Run;
      case kStop: return LoopEnd::Stop;
      case kPile: case kHalfSpace: case kStratum: case kMultilayer: case kPlot: case kCircular:
      case kRectangular: case kParabolic: case kLayers: case kElement: case kBattered:
      case kInteraction: case kFixed: case kPinned: case kFloating: case kEndBearing:
      case kConstants:
        subkeyword_notice(report, code, " SUBKEYWORD MUST BE PRECEEDED BY FOUNDATION KEYWORD");
        break;
      case kHarmonic: case kTransient: case kRandom: case kHammer: case kVelocity: case kPulse:
      case kPad: case kSpring: case kQuadratic: case kNonQuadratic:
        subkeyword_notice(report, code, " SUBKEYWORD MUST BE PRECEEDED BY LOAD KEYWORD");
        break;
      case kBelow: case kWeak: case kEmbedded: case kSideCap:
        subkeyword_notice(report, code, " SUBKEYWORD MUST BE PRECEEDED BY SOIL KEYWORD");
        break;
      case kMass:
        subkeyword_notice(report, code,
                          " SUBKEYWORD MUST BE PRECEEDED BY ONE OFFOU   NDATION, SOIL OR LOAD KEYWORDS");
        break;
      default:  // blank, LONG, SHORT, STATIC, NOTE and unknown words
        break;
    }
  }
}

}  // namespace korval::engine
