// Cuts the project text into items: word items (a keyword and whatever follows it on its
// piece of line) and number items (one number each).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/report/report.hpp"

namespace korval::engine {

struct Item {
  std::string text;
  bool word = false;
};

// First pass: one input line (80 significant columns) to its pieces, with comments removed,
// repeat groups expanded, standalone letters replaced by their numbers and the extra "-999"
// after a piece that ends at "*". Writes the overflow notice when an expansion passes 500
// characters.
void split_line(std::string_view line, Report& report, std::vector<std::string>& pieces);

// Second pass: one piece to its items.
void piece_items(std::string_view piece, std::vector<Item>& items);

// Both passes over the whole text; CR LF and LF line ends alike, tabs read as blanks.
std::vector<Item> normalise(std::string_view text, Report& report);

}  // namespace korval::engine
