// The fixed-format field writer: every report and plot-data line is built from these fields.
//
// Fields are right-aligned in their width; a value that does not fit fills its field with
// asterisks. Decimal rounding is half away from zero on the exact binary value.
#pragma once

#include <string_view>

namespace korval::engine {

class Record {
 public:
  static constexpr int kCapacity = 600;

  Record& x(int n);                              // nX: n blanks
  Record& a(std::string_view text);              // the text as it stands
  Record& a(std::string_view text, int w);       // Aw: right-aligned, or its first w characters
  Record& i(long long value, int w);             // Iw
  Record& f(double value, int w, int d);         // Fw.d
  Record& e(double value, int w, int d);         // Ew.d: 0.ddddE+xx
  Record& pe(double value, int w, int d);        // 1PEw.d: d.ddddE+xx with d digits after the point

  std::string_view text() const { return {buf_, static_cast<std::size_t>(len_)}; }

 private:
  void put(std::string_view s);
  void fill(char c, int n);
  void field(std::string_view s, int w);         // right-aligned in w, asterisks when too long
  void exponent_field(double value, int w, int d, bool one_digit_before_point);

  char buf_[kCapacity];
  int len_ = 0;
};

}  // namespace korval::engine
