#include "engine/input/item_reader.hpp"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace korval::engine {

bool parse_real(std::string_view text, Real& value) {
  // Blanks are not significant (a number with an exponent is right-aligned in its field).
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return false;
  const char* end = text.data() + text.size();
  float f = 0;
  auto [p, ec] = std::from_chars(text.data(), end, f);
  if (p != end) return false;
  if (ec == std::errc()) {
    value = f;
    return true;
  }
  // Out of the single-precision range: underflow reads as zero, overflow is refused.
  double d = 0;
  auto [pd, ecd] = std::from_chars(text.data(), end, d);
  if (pd != end) return false;
  if (ecd == std::errc() && std::fabs(d) <= std::numeric_limits<float>::max()) {
    value = static_cast<float>(d);
    return true;
  }
  if (text.find("E-") != std::string_view::npos) {
    value = 0;
    return true;
  }
  return false;
}

const Item* ItemReader::take() {
  if (next_ >= items_.size()) {
    exhausted_ = true;
    return nullptr;
  }
  return &items_[next_++];
}

void ItemReader::push_back() {
  if (next_ > 0 && !exhausted_) --next_;
}

ReadStatus ItemReader::number(Real& value) {
  value = 0;
  const Item* item = take();
  if (!item) {
    report_.message({" *** INPUT ERROR ***    END OF FILE ENCOUNTEREDW   HILE READING"});
    report_.put(Record().x(23).a("NUMBER ").i(1, 3).a(" OF ").i(1, 3).a(" NUMBERS TO BE").a(" REA D"));
    // The missing number reads as 0 and the caller goes on; the keyword loop ends the
    // reading at its next word.
    return ReadStatus::Ok;
  }
  if (!item->word && parse_real(item->text, value)) return ReadStatus::Ok;
  value = 0;
  if (item->word) {
    std::string shown = item->text.substr(0, 20);
    shown.resize(20, ' ');
    report_.message({std::string(" *** INPUT ERROR ***    ALPHANUMERIC ENCOUNTERED - ") + shown + ","});
    if (keyword_number(Code::of(item->text)) != kUnknown) push_back();
  } else {
    const std::size_t first = item->text.find_first_not_of(' ');
    std::string shown = item->text.substr(first == std::string::npos ? 0 : first, 20);
    shown.resize(20, ' ');
    report_.message({std::string(" *** INPUT ERROR ***    INVALID NUMBER - ") + shown + ","});
  }
  return ReadStatus::Word;
}

ReadStatus ItemReader::word(Code& code) {
  const Item* item = take();
  if (!item) {
    report_.message({" *** INPUT ERROR ***    END OF FILE ENCOUNTERED WHILE"});
    report_.put(Record().x(23).a("READING ").i(1, 3).a(" ALPHANUMERIC WORDS"));
    return ReadStatus::End;
  }
  code = Code::of(item->text);
  return ReadStatus::Ok;
}

ReadStatus ItemReader::line(std::string_view& text) {
  const Item* item = take();
  if (!item) return ReadStatus::End;
  text = item->text;
  return ReadStatus::Word;
}

}  // namespace korval::engine
