// The column stream of a table definition: tagged values, the 80-bit extended payload, the
// records of the five column types written and read back, and the streams that fail.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "components/Errors.hpp"
#include "components/ValueStream.hpp"
#include "table_fixture.hpp"

namespace kc = korval::components;
using namespace kc::testing;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Byte builders for expected streams, written out independently of the writer.
Bytes Str(const std::string& s) {
  Bytes b{6, static_cast<std::uint8_t>(s.size())};
  for (char c : s) b.push_back(static_cast<std::uint8_t>(c));
  return b;
}
Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}
const Bytes kTrue{9}, kFalse{8}, kListBegin{1}, kListEnd{0};
const Bytes kZeroExtended{5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
Bytes Int8(int v) { return {2, static_cast<std::uint8_t>(v)}; }

Bytes Written(const kc::TGridTable& table) {
  kc::TValueWriter w;
  table.WriteColumns(w);
  return w.Bytes();
}

TEST(ColumnStream, TaggedValues) {
  kc::TValueWriter w;
  w.WriteInteger(-128);
  w.WriteInteger(128);
  w.WriteInteger(-32769);
  w.WriteBoolean(true);
  w.WriteString("ab");
  w.WriteExtended(1);
  w.WriteStrings({"x"});
  const Bytes expected{2, 0x80, 3, 0x80, 0x00, 4, 0xFF, 0x7F, 0xFF, 0xFF, 9, 6, 2, 'a', 'b',
                       5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F, 1, 6, 1, 'x', 0};
  EXPECT_EQ(w.Bytes(), expected);

  kc::TValueReader r(w.Bytes());
  EXPECT_EQ(r.ReadInteger(), -128);
  EXPECT_EQ(r.ReadInteger(), 128);
  EXPECT_EQ(r.ReadInteger(), -32769);
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_EQ(r.ReadString(), "ab");
  EXPECT_EQ(r.ReadExtended(), 1.0L);
  EXPECT_EQ(r.ReadStrings(), std::vector<std::string>{"x"});
  EXPECT_TRUE(r.AtEnd());
}

TEST(ColumnStream, ShortAndLongStrings) {
  for (std::size_t n : {255u, 256u, 70000u}) {
    const std::string s(n, 'k');
    kc::TValueWriter w;
    w.WriteString(s);
    const Bytes& b = w.Bytes();
    if (n <= 255) {
      EXPECT_EQ(b[0], 6);
      EXPECT_EQ(b.size(), n + 2);
    } else {
      EXPECT_EQ(b[0], 12);
      EXPECT_EQ(b[1] | (b[2] << 8) | (b[3] << 16) | (b[4] << 24), static_cast<int>(n));
      EXPECT_EQ(b.size(), n + 5);
    }
    kc::TValueReader r(b);
    EXPECT_EQ(r.ReadString(), s);
  }
}

TEST(ColumnStream, ExtendedPayload) {
  using L = std::numeric_limits<long double>;
  const long double values[] = {0, -0.0L, 1, -2.5L, 0.1L, 1e4000L, -1e-4000L, L::denorm_min(), L::min(), L::max(), L::infinity()};
  for (long double v : values) {
    std::uint8_t payload[10];
    kc::EncodeExtended(v, payload);
    const long double back = kc::DecodeExtended(payload);
    EXPECT_EQ(back, v);
    EXPECT_EQ(std::signbit(back), std::signbit(v));
    if (L::digits == 64) {  // x87 extended: the payload is the value's own bytes
      std::uint8_t own[sizeof(long double)] = {};
      std::memcpy(own, &v, sizeof v);
      EXPECT_EQ(std::memcmp(own, payload, 10), 0) << static_cast<double>(v);
    }
  }
}

TEST(ColumnStream, SoilPropertiesDefinition) {
  kc::TGridTable soil;
  AddFloat(soil, "L2/SEC", {"Shear wave", "velocity, "});
  AddFloat(soil, "F/L2^3", {"Unit weight", ""});
  const Bytes expected = Cat({Int8(2),
                              Int8(2), kListBegin, Str("Shear wave"), Str("velocity, "), kListEnd, kTrue, kFalse,
                              kFalse, Str("FLOATCOLUMN2"), Str("L2/SEC"), kZeroExtended,
                              Int8(2), kListBegin, Str("Unit weight"), Str(""), kListEnd, kTrue, kFalse,
                              kFalse, Str("FLOATCOLUMN2"), Str("F/L2^3"), kZeroExtended});
  EXPECT_EQ(Written(soil), expected);
}

TEST(ColumnStream, TransientLoadingDefinition) {
  kc::TGridTable amplitude;
  amplitude.SetIdentifier(8);
  amplitude.SetCaption("Load Amplitude");
  AddFloat(amplitude, "F");
  kc::TGridTable loads;
  AddNamed(loads, std::make_unique<kc::TEnumColumn>(), {"Load type"}).SetItems(LoadDirections());
  auto column = std::make_unique<kc::TTableColumn>();
  for (int i = 0; i < 6; ++i) column->Templates().AddIdentifier(8);
  AddNamed(loads, std::move(column), {"Load amplitude"});

  Bytes items = kListBegin;
  for (const std::string& item : LoadDirections()) items = Cat({items, Str(item)});
  const Bytes expected = Cat({Int8(2),
                              Int8(0), kListBegin, Str("Load type"), kListEnd, kTrue, kFalse, items, kListEnd,
                              Int8(3), kListBegin, Str("Load amplitude"), kListEnd, kTrue, kFalse, Str("FLEXCOLUMN2"),
                              kListBegin, Int8(8), Int8(8), Int8(8), Int8(8), Int8(8), Int8(8), kListEnd});
  const Bytes written = Written(loads);
  EXPECT_EQ(written, expected);

  kc::TGridTable read;
  kc::TValueReader reader(written);
  read.ReadColumns(reader);
  ASSERT_EQ(read.ColumnCount(), 2);
  EXPECT_EQ(dynamic_cast<kc::TEnumColumn&>(read.Column(0)).Items(), LoadDirections());
  auto& histories = dynamic_cast<kc::TTableColumn&>(read.Column(1));
  EXPECT_EQ(histories.Templates().Count(), 6);
  EXPECT_EQ(histories.Templates().Table(5), &amplitude);
  read.SetRowCount(1);
  EXPECT_EQ(histories.GetTable(0)->Caption(), "Load Amplitude");
}

TEST(ColumnStream, EveryTypeReadsBackAsWritten) {
  kc::TGridTable tmpl;
  kc::TGridTable table;
  auto& choice = AddEnum(table, {"XZ-Plane", "YZ-Plane"});
  choice.SetVisible(false);
  auto& count = AddInt(table, -40000, 100000, 5);
  count.SetRowGrouped(true);
  auto& top = AddFloat(table, "F6-L2^2", {"top", "depth"});
  top.SetTopDepth(true);
  top.SetDefault(0.1L);
  AddFloat(table, "L2", {"bottom"});
  auto string_column = std::make_unique<kc::TStringColumn>();
  string_column->SetDefault(std::string(300, 's'));
  string_column->SetWidthInches(1.25L);
  table.AddColumn(std::move(string_column));
  auto& sub = table.AddColumn(std::make_unique<kc::TTableColumn>());
  sub.Templates().Delete(0);
  sub.Templates().AddTable(&tmpl);

  const Bytes written = Written(table);
  kc::TGridTable read;
  kc::TValueReader reader(written);
  read.ReadColumns(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(Written(read), written);

  ASSERT_EQ(read.ColumnCount(), 6);
  EXPECT_FALSE(read.Column(0).Visible());
  const auto& int_column = dynamic_cast<const kc::TIntColumn&>(read.Column(1));
  EXPECT_TRUE(int_column.RowGrouped());
  EXPECT_EQ(int_column.Minimum(), -40000);
  EXPECT_EQ(int_column.Maximum(), 100000);
  EXPECT_EQ(int_column.Default(), 5);
  const auto& float_column = dynamic_cast<const kc::TFloatColumn&>(read.Column(2));
  EXPECT_TRUE(float_column.TopDepth());
  EXPECT_EQ(float_column.UnitString(), "F6-L2^2");
  EXPECT_EQ(float_column.Default(), 0.1L);
  EXPECT_EQ(float_column.HeaderLines(), (std::vector<std::string>{"top", "depth"}));
  const auto& text_column = dynamic_cast<const kc::TStringColumn&>(read.Column(4));
  EXPECT_EQ(text_column.Default(), std::string(300, 's'));
  EXPECT_EQ(text_column.WidthInches(), 1.25L);
  const auto& table_column = dynamic_cast<const kc::TTableColumn&>(read.Column(5));
  ASSERT_EQ(table_column.Templates().Count(), 2);  // one per item of the first column
  EXPECT_EQ(table_column.Templates().Table(0), nullptr);
  EXPECT_EQ(table_column.Templates().Table(1), &tmpl);
}

TEST(ColumnStream, FailingStreams) {
  const Bytes int_record = Cat({kListBegin, kListEnd, kTrue, kFalse, Int8(0), Int8(0), Int8(10)});
  const Bytes float_start = Cat({kListBegin, kListEnd, kTrue, kFalse, kFalse});
  const struct {
    const char* name;
    Bytes stream;
    const char* message;
  } cases[] = {
      {"empty", {}, "Error reading column count"},
      {"count not an integer", Str("x"), "Error reading column count"},
      {"type id 7", Cat({Int8(1), Int8(7)}), "Error occured when creating column 0: Error Column Class not defined"},
      {"cut off in column 1", Cat({Int8(2), Int8(1), int_record, Int8(4), kListBegin}),
       "Error occured when creating column 1: Unexpected end of the column stream"},
      {"boolean for an integer", Cat({Int8(1), Int8(1), kListBegin, kListEnd, kTrue, kFalse, kTrue}),
       "Error occured when creating column 0: Unexpected value in the column stream"},
      {"float marker", Cat({Int8(1), Int8(2), float_start, Str("FLOATCOLUMN"), Str("L2"), kZeroExtended}),
       "Error occured when creating column 0: Column stream marker FLOATCOLUMN2 expected"},
      {"table marker", Cat({Int8(1), Int8(3), kListBegin, kListEnd, kTrue, kFalse, Str("FLEX"), kListBegin, kListEnd}),
       "Error occured when creating column 0: Column stream marker FLEXCOLUMN2 expected"},
      {"unit string", Cat({Int8(1), Int8(2), float_start, Str("FLOATCOLUMN2"), Str("L2-sec"), kZeroExtended}),
       "Error occured when creating column 0: 'L2-sec' is not a valid unit string"},
  };
  for (const auto& c : cases) {
    kc::TGridTable table;
    kc::TValueReader reader(c.stream);
    try {
      table.ReadColumns(reader);
      ADD_FAILURE() << c.name << " was read";
    } catch (const kc::Exception& e) {
      EXPECT_STREQ(e.what(), c.message) << c.name;
    }
  }
}

}  // namespace

namespace {

TEST(ColumnStream, RecordsOfEveryTypeByteForByte) {
  kc::TGridTable tmpl;
  tmpl.SetIdentifier(300);  // a 16-bit integer in the template list
  kc::TGridTable table;
  auto& plane = AddNamed(table, std::make_unique<kc::TEnumColumn>(), {"plane"});
  plane.SetItems({"p", "q"});
  plane.SetVisible(false);
  auto& count = AddNamed(table, std::make_unique<kc::TIntColumn>(), {"n"});  // the default limits
  count.SetRowGrouped(true);
  auto& top = AddFloat(table, "L2", {});
  top.SetTopDepth(true);
  top.SetDefault(-2.5L);
  auto text = std::make_unique<kc::TStringColumn>();
  text->SetDefault("ab");
  text->SetWidthInches(1.25L);
  table.AddColumn(std::move(text));
  auto& data = AddNamed(table, std::make_unique<kc::TTableColumn>(), {"data"});
  data.Templates().Delete(0);
  data.Templates().AddTable(&tmpl);  // the first item has no template, the second has

  const Bytes expected = Cat({Int8(5),
                              Int8(0), kListBegin, Str("plane"), kListEnd, kFalse, kFalse,
                              kListBegin, Str("p"), Str("q"), kListEnd,
                              Int8(1), kListBegin, Str("n"), kListEnd, kTrue, kTrue,
                              Int8(0), {4, 0x00, 0x00, 0x00, 0x80}, {4, 0xFF, 0xFF, 0xFF, 0x7F},
                              Int8(2), kListBegin, kListEnd, kTrue, kFalse,
                              kTrue, Str("FLOATCOLUMN2"), Str("L2"), {5, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0},
                              Int8(4), kListBegin, kListEnd, kTrue, kFalse,
                              Str("ab"), {5, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0xFF, 0x3F},
                              Int8(3), kListBegin, Str("data"), kListEnd, kTrue, kFalse, Str("FLEXCOLUMN2"),
                              kListBegin, {2, 0xFF}, {3, 0x2C, 0x01}, kListEnd});
  EXPECT_EQ(Written(table), expected);
}

}  // namespace
