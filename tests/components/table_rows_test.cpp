// Grid table basics: defaults, row operations with row groups, the top-depth rule, cell
// access, identifiers of live tables, change tracking.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/Errors.hpp"
#include "table_fixture.hpp"

namespace kc = korval::components;
using namespace kc::testing;

namespace {

// The values of an integer column, row by row.
std::vector<int> Values(const kc::TColumn& column) {
  std::vector<int> v;
  for (int r = 0; r < column.RowCount(); ++r) v.push_back(column.GetInt(r));
  return v;
}

std::vector<long double> Floats(const kc::TColumn& column) {
  std::vector<long double> v;
  for (int r = 0; r < column.RowCount(); ++r) v.push_back(column.GetFloat(r));
  return v;
}

TEST(GridTable, NewTable) {
  kc::TGridTable table;
  EXPECT_EQ(table.MaxRows(), 0);
  EXPECT_EQ(table.MinRows(), 1);
  EXPECT_EQ(table.RowGroup(), 1);
  EXPECT_EQ(table.ColumnCount(), 0);
  EXPECT_EQ(table.RowCount(), 0);
  EXPECT_EQ(table.Units(), 1);
  EXPECT_EQ(table.Number(), 0);
  EXPECT_FALSE(table.IsChanged());

  table.SetUnits(2);
  kc::TGridTable owned(&table);
  EXPECT_EQ(owned.Units(), 2);  // from the owning table

  table.SetRowGroup(0);
  EXPECT_EQ(table.RowGroup(), 1);
  try {
    table.SetMinRows(0);
    ADD_FAILURE();
  } catch (const kc::Exception& e) {
    EXPECT_STREQ(e.what(), "Value must be greater than 0");
  }
  EXPECT_EQ(table.MinRows(), 1);
}

TEST(GridTable, NewRowsTakeTheDefaults) {
  kc::TGridTable table;
  auto& choice = AddEnum(table, {"a", "b"});
  auto& count = AddInt(table, 0, 10, 7);
  auto& value = AddFloat(table, "L2");
  value.SetDefault(2.5L);
  auto string_column = std::make_unique<kc::TStringColumn>();
  string_column->SetDefault("none");
  auto& text = table.AddColumn(std::move(string_column));
  table.SetRowCount(2);
  for (int r = 0; r < 2; ++r) {
    EXPECT_EQ(choice.GetInt(r), 1);
    EXPECT_EQ(count.GetInt(r), 7);
    EXPECT_EQ(value.GetFloat(r), 2.5L);
    EXPECT_EQ(text.GetText(r), "none");
  }
  // A column added to a table with rows grows to its row count.
  auto& late = AddInt(table, 0, 10, 3);
  EXPECT_EQ(Values(late), (std::vector<int>{3, 3}));
}

TEST(GridTable, RowGroups) {
  kc::TGridTable table;
  table.SetRowGroup(3);
  auto& id = AddInt(table, 0, 100);
  table.AddRows();
  EXPECT_EQ(table.RowCount(), 3);
  table.AddRows();
  for (int r = 0; r < 6; ++r) id.SetInt(r, r);

  table.InsertRowsAt(4);  // before the group of row 4, which starts at row 3
  EXPECT_EQ(table.RowCount(), 9);
  EXPECT_EQ(Values(id), (std::vector<int>{0, 1, 2, 0, 0, 0, 3, 4, 5}));

  table.DeleteRowsAt(7);  // the whole group 6..8
  EXPECT_EQ(Values(id), (std::vector<int>{0, 1, 2, 0, 0, 0}));
  table.DeleteRowsAt(0);
  table.DeleteRowsAt(2);
  EXPECT_EQ(table.RowCount(), 0);  // the only row group deleted
  EXPECT_EQ(id.RowCount(), 0);

  EXPECT_THROW(table.DeleteRowsAt(0), kc::EListError);
  EXPECT_THROW(table.InsertRowsAt(1), kc::EListError);
  table.InsertRowsAt(0);  // at the end of an empty table
  EXPECT_EQ(table.RowCount(), 3);
}

TEST(GridTable, RowCountNotAMultipleOfTheGroup) {
  kc::TGridTable table;
  table.SetRowGroup(3);
  auto& id = AddInt(table, 0, 100);
  table.SetRowCount(4);
  EXPECT_EQ(table.RowCount(), 4);
  EXPECT_EQ(id.RowCount(), 4);  // the last group is cut to the row count
  table.DeleteRowsAt(3);        // the short last group
  EXPECT_EQ(table.RowCount(), 3);
  EXPECT_EQ(id.RowCount(), 3);
  table.SetRowCount(-2);
  EXPECT_EQ(table.RowCount(), 0);
}

TEST(GridTable, RowGroupedWrites) {
  kc::TGridTable table;
  table.SetRowGroup(2);
  auto& grouped = AddInt(table, 0, 100);
  grouped.SetRowGrouped(true);
  auto& single = AddInt(table, 0, 100);
  auto& grouped_float = AddFloat(table, "");
  grouped_float.SetRowGrouped(true);
  table.SetRowCount(4);
  grouped.SetInt(3, 9);
  single.SetInt(3, 9);
  grouped_float.SetFloat(2, 1.5L);
  grouped.SetText(0, "4");
  EXPECT_EQ(Values(grouped), (std::vector<int>{4, 4, 9, 9}));
  EXPECT_EQ(Values(single), (std::vector<int>{0, 0, 0, 9}));
  EXPECT_EQ(Floats(grouped_float), (std::vector<long double>{0, 0, 1.5L, 1.5L}));
}

// Layers 0-2, 2-5, 5-9 in a top-depth column and the bottom column after it.
struct Layers {
  Layers() {
    top.SetTopDepth(true);
    table.SetRowCount(3);
    for (int r = 0; r < 3; ++r) bottom.SetFloat(r, bottoms[r]);
  }
  kc::TGridTable table;
  kc::TFloatColumn& top = AddFloat(table, "L2", {"top"});
  kc::TFloatColumn& bottom = AddFloat(table, "L2", {"bottom"});
  const long double bottoms[3] = {2, 5, 9};
};

TEST(GridTable, TopDepthLinksAdjacentLayers) {
  Layers l;
  EXPECT_EQ(Floats(l.top), (std::vector<long double>{0, 2, 5}));  // each bottom set the next top
  l.top.SetFloat(1, 2.5L);
  EXPECT_EQ(Floats(l.bottom), (std::vector<long double>{2.5L, 5, 9}));

  l.table.InsertRowsAt(1);  // a new layer between the first two
  EXPECT_EQ(Floats(l.top), (std::vector<long double>{0, 2.5L, 2.5L, 5}));
  EXPECT_EQ(Floats(l.bottom), (std::vector<long double>{2.5L, 2.5L, 5, 9}));

  l.bottom.SetFloat(1, 4);  // the new layer grows into the one below
  l.table.DeleteRowsAt(2);  // the layer below starts where the one above ends
  EXPECT_EQ(Floats(l.top), (std::vector<long double>{0, 2.5L, 4}));
  EXPECT_EQ(Floats(l.bottom), (std::vector<long double>{2.5L, 4, 9}));
  l.table.DeleteRowsAt(1);
  EXPECT_EQ(Floats(l.top), (std::vector<long double>{0, 2.5L}));

  l.table.AddRows();  // a layer appended starts at the last bottom
  EXPECT_EQ(Floats(l.top), (std::vector<long double>{0, 2.5L, 9}));
}

TEST(GridTable, TopDepthNeedsAFloatColumnAfterIt) {
  kc::TGridTable table;
  AddFloat(table, "L2").SetTopDepth(true);
  AddInt(table, 0, 10);
  try {
    table.AddRows();
    ADD_FAILURE();
  } catch (const kc::Exception& e) {
    EXPECT_STREQ(e.what(), "If column if a topdepth then the next column must be a float column");
  }
}

TEST(GridTable, CellAccess) {
  kc::TGridTable table;
  AddFloat(table, "L2");
  AddEnum(table, {"XZ-Plane", "YZ-Plane"});
  auto& hidden = AddInt(table, 0, 10);
  hidden.SetVisible(false);
  hidden.SetHeaderLines({"one", "two", "three"});
  table.SetRowCount(2);

  table.Cell(0, 1).SetFloat(3.25L);
  table.Cell(1, 1).SetInt(2);
  EXPECT_EQ(table.Cell(0, 1).GetFloat(), 3.25L);
  EXPECT_EQ(table.Cell(0, 1).GetText(), "3.25");
  EXPECT_EQ(table.Cell(1, 1).GetInt(), 2);

  for (auto access : {+[](const kc::TData& d) { d.GetInt(); }, +[](const kc::TData& d) { d.SetInt(1); },
                      +[](const kc::TData& d) { d.GetTable(); }}) {
    try {
      access(table.Cell(0, 0));
      ADD_FAILURE();
    } catch (const kc::EInvalidCast& e) {
      EXPECT_STREQ(e.what(), "Data of wrong type");
    }
  }
  EXPECT_THROW(table.Cell(1, 0).GetFloat(), kc::EInvalidCast);
  EXPECT_THROW(table.Cell(0, 2), kc::EListError);
  EXPECT_THROW(table.Cell(3, 0), kc::EListError);
  EXPECT_TRUE(table.IsValidCell(2, 1));
  EXPECT_FALSE(table.IsValidCell(2, 2));
  EXPECT_FALSE(table.IsValidCell(-1, 0));

  EXPECT_EQ(table.VisibleColumnCount(), 2);
  EXPECT_EQ(&table.VisibleColumn(1), &table.Column(1));
  EXPECT_EQ(table.VisibleIndexOf(hidden), -1);
  EXPECT_EQ(table.VisibleIndexOf(table.Column(1)), 1);
  EXPECT_EQ(table.HeaderRowCount(), 1);  // the hidden column's three lines do not count
  try {
    table.VisibleColumn(2);
    ADD_FAILURE();
  } catch (const kc::EListError& e) {
    EXPECT_STREQ(e.what(), "Index out of bounds");
  }
}

TEST(GridTable, IdentifiersStayUnique) {
  auto a = std::make_unique<kc::TGridTable>();
  auto b = std::make_unique<kc::TGridTable>();
  EXPECT_EQ(b->Identifier(), a->Identifier() + 1);  // from the counter
  const int old_a = a->Identifier(), old_b = b->Identifier();
  a->SetIdentifier(old_b);
  EXPECT_EQ(a->Identifier(), old_b);
  EXPECT_EQ(b->Identifier(), old_a);
  a->SetIdentifier(-5);
  EXPECT_EQ(a->Identifier(), old_b);
  EXPECT_EQ(kc::TGridTable::FindTable(old_b), a.get());

  const int count = kc::TGridTable::LiveTableCount();
  const int position = kc::TGridTable::PositionOf(b.get());
  EXPECT_EQ(kc::TGridTable::LiveTable(position), b.get());
  b.reset();
  EXPECT_EQ(kc::TGridTable::LiveTableCount(), count - 1);
  EXPECT_EQ(kc::TGridTable::FindTable(old_a), nullptr);
  EXPECT_EQ(kc::TGridTable::LiveTable(-1), nullptr);
}

}  // namespace
