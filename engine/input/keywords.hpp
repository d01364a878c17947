// The keyword table: a keyword is known by its first four characters.
#pragma once

#include <string_view>

namespace korval::engine {

// Keyword numbers are positions in the table; 999 is an unknown word.
enum Keyword : int {
  kBlank = 1, kWide = 2, kNarrow = 3, kEcho = 4, kNoEcho = 5, kPile = 6, kHalfSpace = 7,
  kStratum = 8, kMultilayer = 9, kLoad = 10, kHarmonic = 11, kTransient = 12, kRandom = 13,
  kPlot = 14, kCircular = 15, kRectangular = 16, kSoil = 17, kParabolic = 18, kLayers = 19,
  kGravity = 20, kDimensionless = 21, kBelow = 22, kElement = 23, kFoundation = 24, kWeak = 25,
  kBattered = 26, kInteraction = 27, kRun = 28, kStop = 29, kTitle = 30, kMatrix = 31,
  kFixed = 32, kPinned = 33, kFloating = 34, kEndBearing = 35, kConstants = 36, kMass = 37,
  kEmbedded = 38, kSideCap = 39, kHammer = 40, kLong = 41, kShort = 42, kVelocity = 43,
  kPulse = 44, kPad = 45, kSpring = 46, kStatic = 47, kNote = 48, kQuadratic = 51,
  kNonQuadratic = 52, kUnknown = 999,
};

// The four-character code of an item: its first four characters, padded with blanks.
struct Code {
  char c[4] = {' ', ' ', ' ', ' '};
  static Code of(std::string_view text);
  std::string_view view() const { return {c, 4}; }
};

// The keyword number of a code, 999 when the table does not hold it (no message).
int keyword_number(Code code);

}  // namespace korval::engine
