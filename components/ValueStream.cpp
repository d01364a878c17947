#include "components/ValueStream.hpp"

#include <cmath>
#include <cstring>

#include "components/Errors.hpp"

namespace korval::components {
namespace {

constexpr int kExponentBias = 16383;
constexpr int kMaxExponent = 0x7FFF;

[[noreturn]] void Unexpected() { throw Exception("Unexpected value in the column stream"); }

template <class T>
T LittleEndian(const std::uint8_t* p) {
  std::uint64_t v = 0;
  for (std::size_t i = sizeof(T); i-- > 0;) v = (v << 8) | p[i];
  return static_cast<T>(v);
}

}  // namespace

void EncodeExtended(long double value, std::uint8_t out[10]) {
  std::uint64_t significand = 0;
  int exponent = 0;
  const long double magnitude = std::fabs(value);
  if (std::isnan(value)) {
    significand = 0xC000000000000000ULL;
    exponent = kMaxExponent;
  } else if (std::isinf(value)) {
    significand = 0x8000000000000000ULL;
    exponent = kMaxExponent;
  } else if (magnitude != 0) {
    int e = 0;
    const long double fraction = std::frexp(magnitude, &e);  // magnitude = fraction * 2^e, fraction in [0.5, 1)
    exponent = e - 1 + kExponentBias;
    if (exponent >= kMaxExponent) {  // beyond the format (only where long double is wider)
      significand = 0x8000000000000000ULL;
      exponent = kMaxExponent;
    } else if (exponent > 0) {
      significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    } else {  // denormal: significand * 2^(1 - bias - 63)
      significand = static_cast<std::uint64_t>(std::ldexp(magnitude, kExponentBias - 1 + 63));
      exponent = 0;
    }
  }
  const std::uint16_t sign_exponent = static_cast<std::uint16_t>((std::signbit(value) ? 0x8000 : 0) | exponent);
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
  out[8] = static_cast<std::uint8_t>(sign_exponent);
  out[9] = static_cast<std::uint8_t>(sign_exponent >> 8);
}

long double DecodeExtended(const std::uint8_t in[10]) {
  const auto significand = LittleEndian<std::uint64_t>(in);
  const auto sign_exponent = LittleEndian<std::uint16_t>(in + 8);
  const int exponent = sign_exponent & kMaxExponent;
  long double magnitude;
  if (exponent == kMaxExponent) {
    magnitude = (significand << 1) == 0 ? INFINITY : NAN;
  } else {
    const int scale = (exponent == 0 ? 1 : exponent) - kExponentBias - 63;
    magnitude = std::ldexp(static_cast<long double>(significand), scale);
  }
  return (sign_exponent & 0x8000) ? -magnitude : magnitude;
}

void TValueWriter::Put(const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), p, p + size);
}

void TValueWriter::Tag(ValueTag tag) { bytes_.push_back(static_cast<std::uint8_t>(tag)); }

void TValueWriter::WriteInteger(std::int32_t value) {
  std::uint8_t le[4];
  std::size_t size;
  if (value >= -128 && value <= 127) {
    Tag(ValueTag::kInt8);
    size = 1;
  } else if (value >= -32768 && value <= 32767) {
    Tag(ValueTag::kInt16);
    size = 2;
  } else {
    Tag(ValueTag::kInt32);
    size = 4;
  }
  const auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) le[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  Put(le, size);
}

void TValueWriter::WriteBoolean(bool value) { Tag(value ? ValueTag::kTrue : ValueTag::kFalse); }

void TValueWriter::WriteString(std::string_view value) {
  if (value.size() <= 255) {
    Tag(ValueTag::kString);
    bytes_.push_back(static_cast<std::uint8_t>(value.size()));
  } else {
    Tag(ValueTag::kLongString);
    const auto n = static_cast<std::uint32_t>(value.size());
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
  }
  Put(value.data(), value.size());
}

void TValueWriter::WriteExtended(long double value) {
  Tag(ValueTag::kExtended);
  std::uint8_t payload[10];
  EncodeExtended(value, payload);
  Put(payload, sizeof payload);
}

void TValueWriter::WriteListBegin() { Tag(ValueTag::kList); }
void TValueWriter::WriteListEnd() { Tag(ValueTag::kNull); }

void TValueWriter::WriteStrings(const std::vector<std::string>& list) {
  WriteListBegin();
  for (const std::string& s : list) WriteString(s);
  WriteListEnd();
}

const std::uint8_t* TValueReader::Take(std::size_t size) {
  if (bytes_.size() - pos_ < size) throw Exception("Unexpected end of the column stream");
  const std::uint8_t* p = bytes_.data() + pos_;
  pos_ += size;
  return p;
}

ValueTag TValueReader::NextTag() { return static_cast<ValueTag>(*Take(1)); }

std::int32_t TValueReader::ReadInteger() {
  switch (NextTag()) {
    case ValueTag::kInt8: return LittleEndian<std::int8_t>(Take(1));
    case ValueTag::kInt16: return LittleEndian<std::int16_t>(Take(2));
    case ValueTag::kInt32: return LittleEndian<std::int32_t>(Take(4));
    default: Unexpected();
  }
}

bool TValueReader::ReadBoolean() {
  switch (NextTag()) {
    case ValueTag::kFalse: return false;
    case ValueTag::kTrue: return true;
    default: Unexpected();
  }
}

std::string TValueReader::ReadString() {
  std::size_t size;
  switch (NextTag()) {
    case ValueTag::kString: size = *Take(1); break;
    case ValueTag::kLongString: size = LittleEndian<std::uint32_t>(Take(4)); break;
    default: Unexpected();
  }
  const auto* p = reinterpret_cast<const char*>(Take(size));
  return std::string(p, size);
}

long double TValueReader::ReadExtended() {
  if (NextTag() != ValueTag::kExtended) Unexpected();
  return DecodeExtended(Take(10));
}

void TValueReader::ReadListBegin() {
  if (NextTag() != ValueTag::kList) Unexpected();
}

bool TValueReader::EndOfList() const {
  return pos_ < bytes_.size() && static_cast<ValueTag>(bytes_[pos_]) == ValueTag::kNull;
}

void TValueReader::ReadListEnd() {
  if (NextTag() != ValueTag::kNull) Unexpected();
}

std::vector<std::string> TValueReader::ReadStrings() {
  std::vector<std::string> list;
  ReadListBegin();
  while (!EndOfList()) list.push_back(ReadString());
  ReadListEnd();
  return list;
}

}  // namespace korval::components
