// Column types: typed text and its validation, header lines with units, column widths, and
// the conversion of a table to another unit system.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "components/Errors.hpp"
#include "components/Evaluator.hpp"
#include "table_fixture.hpp"

namespace kc = korval::components;
using namespace kc::testing;

namespace {

TEST(Columns, TypedTextIsEvaluatedAndChecked) {
  kc::TGridTable table;
  auto& value = AddFloat(table, "L2");
  auto& choice = AddEnum(table, LoadDirections());
  auto& count = AddInt(table, 0, 10);
  auto& name = table.AddColumn(std::make_unique<kc::TStringColumn>());
  auto& wide = table.AddColumn(std::make_unique<kc::TIntColumn>());  // the limits of a new column
  table.SetRowCount(1);

  const struct {
    kc::TColumn* column;
    const char* typed;
    const char* shown;  // nullptr: refused
    const char* message;
  } cases[] = {
      {&value, "2*3", "6", nullptr},
      {&value, "abc", nullptr, "Entry could not be evaluated:\ninvalid character(s) in expression"},
      {&value, "1/0", nullptr, "Entry could not be evaluated:\ndivision by zero"},
      {&choice, "3", "3", nullptr},
      {&choice, "2.5", nullptr, "Value must be an integer."},
      {&choice, "1e10", nullptr, "Value must be an integer."},
      {&choice, "-2147483648", "-2147483648", nullptr},
      {&choice, "2147483648", nullptr, "Value must be an integer."},
      {&count, "12/4", "3", nullptr},
      {&count, "(1/3)*3", "1", nullptr},  // within 1e-10 of an integer
      {&count, "2.5", nullptr, "Entry must be an integer."},
      {&count, "-2.5", nullptr, "Entry must be an integer."},
      {&count, "11", nullptr, "Entry must be between 0 and 10."},
      {&count, "-1", nullptr, "Entry must be between 0 and 10."},
      {&count, "1e20", nullptr, "Entry must be between 0 and 10."},
      {&name, "Pile 1", "Pile 1", nullptr},
      {&wide, "2147483647", "2147483647", nullptr},
      {&wide, "-2147483648", "-2147483648", nullptr},
      {&wide, "2147483648", nullptr, "Entry must be between -2147483648 and 2147483647."},
  };
  for (const auto& c : cases) {
    const std::string before = c.column->GetText(0);
    try {
      c.column->SetText(0, c.typed);
      ASSERT_TRUE(c.shown) << c.typed << " was accepted";
      EXPECT_EQ(c.column->GetText(0), c.shown) << c.typed;
    } catch (const kc::EAssignError& e) {
      ASSERT_FALSE(c.shown) << c.typed << " was refused: " << e.what();
      EXPECT_EQ(std::string(e.what()), c.message) << c.typed;
      EXPECT_EQ(c.column->GetText(0), before) << c.typed << " changed the cell";
    }
  }
}

TEST(Columns, FloatCellsShowEightDigits) {
  kc::TGridTable table;
  auto& value = AddFloat(table, "");
  table.SetRowCount(1);
  value.SetText(0, "1.23456789123");
  EXPECT_EQ(value.GetFloat(0), kc::EvaluateEntry("1.23456789123"));  // full precision kept
  EXPECT_EQ(value.GetText(0), "1.2345679");
  value.SetText(0, value.GetText(0));  // the user moves through the cell
  EXPECT_EQ(value.GetFloat(0), kc::EvaluateEntry("1.2345679"));
}

TEST(Columns, HeaderLinesWithUnits) {
  kc::TGridTable table;
  auto& velocity = AddFloat(table, "L2/SEC", {"Shear wave", "velocity, "});
  auto& ratio = AddFloat(table, "", {"Poisson's", "ratio"});
  EXPECT_EQ(velocity.GetHeaderLine(0), "Shear wave");
  EXPECT_EQ(velocity.GetHeaderLine(1), "velocity,  (ft/SEC)  ");
  EXPECT_EQ(ratio.GetHeaderLine(1), "ratio");
  table.SetUnits(2);
  EXPECT_EQ(velocity.GetHeaderLine(1), "velocity,  (m/SEC)  ");
  table.SetUnits(3);
  EXPECT_EQ(velocity.GetHeaderLine(1), "velocity,  (L/SEC)  ");
  EXPECT_THROW(velocity.GetHeaderLine(2), kc::EListError);
}

TEST(Columns, WidthsFromTheFontMetric) {
  const FixedMetric metric;  // 8 pixels a character, 96 per inch
  kc::TGridTable table;
  auto& choice = AddEnum(table, {"a"});
  auto& count = AddInt(table, 0, 1);
  count.SetHeaderLines({"n"});
  auto& value = AddFloat(table, "L2", {"x"});
  auto& sub = table.AddColumn(std::make_unique<kc::TTableColumn>());
  auto string_column = std::make_unique<kc::TStringColumn>();
  string_column->SetWidthInches(1.25L);
  auto& text = table.AddColumn(std::move(string_column));
  EXPECT_EQ(choice.ColumnWidth(metric), 144);  // 1.5 inches
  EXPECT_EQ(count.ColumnWidth(metric), 48);    // half an inch
  EXPECT_EQ(value.ColumnWidth(metric), 80);    // "x (ft)  " and two blanks, wider than half an inch
  EXPECT_EQ(sub.ColumnWidth(metric), 192);     // 2 inches
  EXPECT_EQ(text.ColumnWidth(metric), 120);
  count.SetHeaderLines({"short", "a header line of thirty chars."});
  EXPECT_EQ(count.ColumnWidth(metric), 8 * 32);
}

TEST(Columns, UnitConversion) {
  kc::TGridTable table;
  auto& depth = AddFloat(table, "L2");
  auto& weight = AddFloat(table, "F/L2^3");
  auto& ratio = AddFloat(table, "");
  table.SetRowCount(2);
  for (int r = 0; r < 2; ++r) {
    depth.SetFloat(r, 10 + r);
    weight.SetFloat(r, 120);
    ratio.SetFloat(r, 0.3L);
  }
  ASSERT_EQ(table.Units(), 1);

  table.SetUnits(2);
  EXPECT_EQ(depth.GetFloat(1), 11 * (1 / 3.280839895L));
  EXPECT_NEAR(static_cast<double>(weight.GetFloat(0)), 120 / 6.366, 0.01);
  EXPECT_EQ(ratio.GetFloat(0), 0.3L);
  const long double converted = depth.GetFloat(0);
  table.SetUnits(2);  // already in SI
  EXPECT_EQ(depth.GetFloat(0), converted);

  table.SetUnits(1);
  EXPECT_LE(std::fabs(depth.GetFloat(0) - 10), 1e-17L * 10);
  EXPECT_LE(std::fabs(weight.GetFloat(1) - 120), 1e-17L * 120);
}

TEST(Columns, MalformedUnitStringIsRefusedAtOnce) {
  kc::TFloatColumn column;
  EXPECT_THROW(column.SetUnitString("L2-sec"), kc::EConvertError);
  EXPECT_EQ(column.UnitString(), "");
}

class ColumnNotifications : public EditorTest {};

TEST_F(ColumnNotifications, ChangedCellsAreRedrawn) {
  kc::TGridTable table;
  auto& choice = AddEnum(table, {"a", "b"});
  auto& value = AddFloat(table, "L2");
  table.SetRowCount(2);
  table.ShowEditor();
  RecordingEditor* editor = factory.EditorOf(table);
  ASSERT_TRUE(editor);

  choice.SetInt(1, 1);  // unchanged: nothing is sent
  EXPECT_TRUE(editor->cells.empty());
  choice.SetInt(1, 2);
  value.SetText(0, "4");
  EXPECT_EQ(editor->cells, (std::vector<std::pair<int, int>>{{0, 1}, {1, 0}}));

  editor->cells.clear();
  const int refreshes = editor->refreshes;
  table.SetUnits(2);  // every converted cell, then one refresh
  EXPECT_EQ(editor->cells, (std::vector<std::pair<int, int>>{{1, 0}, {1, 1}}));
  EXPECT_EQ(editor->refreshes, refreshes + 1);
}

}  // namespace
