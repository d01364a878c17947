#include "engine/input/normaliser.hpp"

#include <cctype>
#include <cstring>

namespace korval::engine {
namespace {

constexpr std::size_t kColumns = 80;
constexpr std::size_t kExpandedCapacity = 500;
constexpr std::size_t kExponentField = 20;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The number that a standalone single letter stands for.
const char* letter_value(char c) {
  switch (c) {
    case 'T': return "999";
    case 'H': return "-999";
    case 'F': return "0";
    case 'Q': return "-997";
    case 'P': return "998";
    case 'S': return "-998";
    case 'V': return "-996";
    default: return nullptr;
  }
}

// Repeat groups: a digit d right before "(" repeats the group up to the next ")" d times,
// the copies separated by ",". A blank before the digit becomes ","; a digit before it is lost.
// Returns false when the expansion had to be cut at its capacity.
bool expand_repeats(std::string_view line, std::string& out) {
  out.clear();
  bool fits = true;
  auto append = [&](char c) {
    if (out.size() >= kExpandedCapacity) {
      fits = false;
      return false;
    }
    out.push_back(c);
    return true;
  };
  for (std::size_t i = 0; i < line.size() && fits; ++i) {
    const char c = line[i];
    if (c != '(' || i == 0 || !is_digit(line[i - 1])) {
      append(c);
      continue;
    }
    const int copies = line[i - 1] - '0';
    out.pop_back();  // the count itself
    // The character written before the count: a blank turns into a separator, a digit
    // (a count of two digits) is lost. A ")" ending a group just before is no character
    // of the expansion, so the last character of that expansion is left alone.
    if (i >= 2 && !out.empty() && line[i - 2] == ' ')
      out.back() = ',';
    else if (i >= 2 && !out.empty() && is_digit(line[i - 2]))
      out.pop_back();
    std::size_t close = line.find(')', i + 1);
    const std::size_t end = close == std::string_view::npos ? line.size() : close;
    const std::string_view group = line.substr(i + 1, end - i - 1);
    for (int k = 0; k < copies && fits; ++k) {
      if (k > 0 && !append(',')) break;
      for (char g : group)
        if (!append(g)) break;
    }
    i = end;  // continue after the ")"
  }
  return fits;
}

// A single letter T, H, F, Q, P, S or V standing alone: at the start of a piece or after a
// blank, and followed by a blank, "=", "," or the end of the line.
const char* standalone_letter(const std::string& s, std::size_t p) {
  const char* value = letter_value(s[p]);
  const bool starts = p == 0 || std::strchr(" ,=*", s[p - 1]) != nullptr;
  const bool ends = p + 1 == s.size() || std::strchr(" =,", s[p + 1]) != nullptr;
  return value && starts && ends ? value : nullptr;
}

bool starts_number(char c) { return is_digit(c) || c == '.' || c == '+' || c == '-'; }

// A number token: digits, ".", "E", and a sign at its start or right after "E".
bool is_number_token(std::string_view t) {
  for (std::size_t k = 0; k < t.size(); ++k) {
    const char c = t[k];
    if (is_digit(c) || c == '.' || c == 'E') continue;
    if ((c == '+' || c == '-') && (k == 0 || t[k - 1] == 'E')) continue;
    return false;
  }
  return true;
}

}  // namespace

void split_line(std::string_view raw, Report& report, std::vector<std::string>& pieces) {
  std::string_view line = raw.substr(0, kColumns);
  const std::size_t dollar = line.find('$');
  if (dollar != std::string_view::npos) line = line.substr(0, dollar);
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  if (line.empty()) return;

  std::string expanded;
  if (!expand_repeats(line, expanded)) {
    report.blank(3);
    report.line(" ***   INPUT DATA RECORD TOO LONG DUE TO REPEAT    FEATURE   ***");
    report.blank();
    report.line(" ***   DATA TRUNCATED ON THE FOLLOWING LINE    ***");
    report.blank();
    // The line as read: its 80 columns, blank-filled.
    std::string echoed(raw.substr(0, kColumns));
    echoed.resize(kColumns, ' ');
    report.put(Record().x(1).a(echoed));
  }

  // Pieces end at ",", "=" and "*"; a standalone letter ends its piece too and becomes a
  // piece of its own holding its number.
  std::size_t start = 0;
  for (std::size_t p = 0; p <= expanded.size(); ++p) {
    if (p < expanded.size()) {
      if (const char* value = standalone_letter(expanded, p)) {
        pieces.emplace_back(expanded, start, p - start);
        pieces.emplace_back(value);
        start = p + 1;
        continue;
      }
      if (std::strchr(",=*", expanded[p]) == nullptr) continue;
    }
    pieces.emplace_back(expanded, start, p - start);
    if (p < expanded.size() && expanded[p] == '*') pieces.emplace_back("-999");
    start = p + 1;
  }
}

void piece_items(std::string_view piece, std::vector<Item>& items) {
  std::size_t p = piece.find_first_not_of(' ');
  if (p == std::string_view::npos) return;
  if (!starts_number(piece[p])) {
    items.push_back({std::string(piece.substr(p)), true});
    return;
  }
  while (p != std::string_view::npos) {
    std::size_t end = piece.find(' ', p);
    if (end == std::string_view::npos) end = piece.size();
    const std::string_view token = piece.substr(p, end - p);
    if (!is_number_token(token)) {
      items.push_back({std::string(piece.substr(p)), true});
      return;
    }
    std::string number(token);
    if (number.find_first_of(".E") == std::string::npos) number.push_back('.');
    // A number with an exponent stands right-aligned in a field of 20: read as a keyword
    // code, its first four characters are blanks.
    if (number.find('E') != std::string::npos && number.size() < kExponentField)
      number.insert(0, kExponentField - number.size(), ' ');
    items.push_back({std::move(number), false});
    p = piece.find_first_not_of(' ', end);
  }
}

std::vector<Item> normalise(std::string_view text, Report& report) {
  std::vector<Item> items;
  std::vector<std::string> pieces;
  std::string line;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    line.assign(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (char& c : line)
      if (c == '\t' || c == '\r' || c == '\0') c = ' ';
    split_line(line, report, pieces);
    start = end + 1;
  }
  for (const std::string& piece : pieces) piece_items(piece, items);
  return items;
}

}  // namespace korval::engine
