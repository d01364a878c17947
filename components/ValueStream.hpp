// Tagged values of a stored component definition (the column stream of a grid table): one tag
// byte, then its payload, little-endian.
//
//   0 end of list   1 start of list   2 int8   3 int16   4 int32   5 extended (80-bit)
//   6 string, 1-byte length   8 false   9 true   12 string, 4-byte length
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korval::components {

enum class ValueTag : std::uint8_t {
  kNull = 0,
  kList = 1,
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kExtended = 5,
  kString = 6,
  kFalse = 8,
  kTrue = 9,
  kLongString = 12,
};

// The 80-bit extended format: 64-bit significand with its explicit integer bit, then 15-bit
// biased exponent and sign, little-endian. Exact for long double on x86.
void EncodeExtended(long double value, std::uint8_t out[10]);
long double DecodeExtended(const std::uint8_t in[10]);

class TValueWriter {
 public:
  void WriteInteger(std::int32_t value);  // with the smallest tag that holds it
  void WriteBoolean(bool value);
  void WriteString(std::string_view value);  // tag 6 up to 255 characters, else tag 12
  void WriteExtended(long double value);
  void WriteListBegin();
  void WriteListEnd();
  void WriteStrings(const std::vector<std::string>& list);  // a list of strings

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  void Put(const void* data, std::size_t size);
  void Tag(ValueTag tag);

  std::vector<std::uint8_t> bytes_;
};

// Reads what TValueWriter writes. A value of another kind than asked for, or the end of the
// data, raises Exception.
class TValueReader {
 public:
  explicit TValueReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::int32_t ReadInteger();
  bool ReadBoolean();
  std::string ReadString();
  long double ReadExtended();
  void ReadListBegin();
  bool EndOfList() const;  // the next value closes a list
  void ReadListEnd();
  std::vector<std::string> ReadStrings();

  bool AtEnd() const { return pos_ == bytes_.size(); }

 private:
  ValueTag NextTag();
  const std::uint8_t* Take(std::size_t size);

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

}  // namespace korval::components
