// READIT: reads the normalised items one at a time as numbers, keyword codes or lines, and
// writes the input-error messages of the item level to the report.
#pragma once

#include <string_view>
#include <vector>

#include "engine/input/keywords.hpp"
#include "engine/input/normaliser.hpp"
#include "engine/numeric.hpp"
#include "engine/report/report.hpp"

namespace korval::engine {

enum class ReadStatus { Ok = 1, Word = -1, End = 0 };

class ItemReader {
 public:
  ItemReader(const std::vector<Item>& items, Report& report) : items_(items), report_(report) {}

  // The next item as a real. A word item gives Word (a known keyword is pushed back for the
  // caller's keyword handling, any other word is consumed); past the end the end-of-file
  // message is written and the value is 0 with status Ok.
  ReadStatus number(Real& value);
  // The keyword code of the next item, whatever its kind.
  ReadStatus word(Code& code);
  // The whole next item, for the title.
  ReadStatus line(std::string_view& text);
  // The last item read will be read again.
  void push_back();

  bool at_end() const { return next_ >= items_.size(); }
  // True once a read has run past the last item.
  bool exhausted() const { return exhausted_; }

 private:
  const Item* take();

  const std::vector<Item>& items_;
  Report& report_;
  std::size_t next_ = 0;
  bool exhausted_ = false;
};

// A number item in free format; false when it is not a representable real.
bool parse_real(std::string_view text, Real& value);

}  // namespace korval::engine
