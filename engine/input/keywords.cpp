#include "engine/input/keywords.hpp"

#include <cstring>

namespace korval::engine {
namespace {

// Position k (from 1) holds the code of keyword k. Keyword 48, NOTE, lets a line be a remark
// that the top level reads and ignores.
constexpr const char* kTable[52] = {
    "    ", "WIDE", "NARR", "ECHO", "NOEC", "PILE", "HALF", "STRA", "MULT", "LOAD", "HARM",
    "TRAN", "RAND", "PLOT", "CIRC", "RECT", "SOIL", "PARA", "LAYE", "GRAV", "DIME", "BELO",
    "ELEM", "FOUN", "WEAK", "BATT", "INTE", "RUN ", "STOP", "TITL", "MATR", "FIXE", "PINN",
    "FLOA", "END-", "CONS", "MASS", "EMBE", "SIDE", "HAMM", "LONG", "SHOR", "VELO", "PULS",
    "PAD ", "SPRI", "STAT", "NOTE", "    ", "    ", "QUAD", "NONQ",
};

}  // namespace

Code Code::of(std::string_view text) {
  Code code;
  for (std::size_t k = 0; k < 4 && k < text.size(); ++k) code.c[k] = text[k];
  return code;
}

int keyword_number(Code code) {
  for (int k = 0; k < 52; ++k)
    if (std::memcmp(kTable[k], code.c, 4) == 0) return k + 1;
  return kUnknown;
}

}  // namespace korval::engine
