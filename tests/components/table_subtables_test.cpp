// Table columns: sub-tables built from templates, their rebuild when the first column's item
// changes, renumbering, template lists, row objects of the owner, and editors.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "components/Errors.hpp"
#include "table_fixture.hpp"

namespace kc = korval::components;
using namespace kc::testing;

namespace {

// Transient loading: one row per loaded direction, each with a load history built from the
// load-amplitude template.
struct TransientLoading {
  TransientLoading() {
    amplitude.SetCaption("Load Amplitude");
    amplitude.SetComments("one value per time step");
    amplitude.SetTopLeft("Step");
    amplitude.SetMinRows(2);
    AddFloat(amplitude, "F", {"Load amplitude"});
    loads.SetCaption("Transient Loading Data");
    auto column = std::make_unique<kc::TTableColumn>();
    for (int i = 0; i < 6; ++i) column->Templates().AddTable(&amplitude);
    histories = &loads.AddColumn(std::move(column));
  }
  kc::TGridTable amplitude;
  kc::TGridTable loads;
  kc::TEnumColumn& direction = AddEnum(loads, LoadDirections());
  kc::TTableColumn* histories;
};

TEST(SubTables, BuiltFromTheTemplateOfTheRowsItem) {
  TransientLoading t;
  t.loads.SetUnits(2);
  t.loads.SetRowCount(2);
  kc::TGridTable* sub = t.histories->GetTable(1);
  ASSERT_TRUE(sub);
  EXPECT_EQ(sub->Caption(), "Load Amplitude");
  EXPECT_EQ(sub->Comments(), "one value per time step");
  EXPECT_EQ(sub->TopLeft(), "Step");
  EXPECT_EQ(sub->MinRows(), 2);
  EXPECT_EQ(sub->RowCount(), 2);
  EXPECT_EQ(sub->Number(), 2);
  EXPECT_EQ(sub->Units(), 2);
  EXPECT_EQ(sub->OwnerTable(), &t.loads);
  EXPECT_EQ(kc::TGridTable::FindTable(sub->Identifier()), sub);
  ASSERT_EQ(sub->ColumnCount(), 1);
  EXPECT_EQ(sub->Column(0).GetHeaderLine(0), "Load amplitude (kN)  ");
  EXPECT_EQ(sub->EditorTitle(), "Load Amplitude  2");
  EXPECT_EQ(t.loads.EditorTitle(), "Transient Loading Data ");
  EXPECT_EQ(t.histories->ButtonCaption(1), "2: Load Amplitude");
  EXPECT_EQ(t.loads.Cell(1, 1).GetTable(), sub);
}

TEST(SubTables, ColumnsClonedWithTheirSettings) {
  kc::TGridTable tmpl;
  tmpl.SetMinRows(2);
  tmpl.SetRowGroup(2);  // not part of a sub-table
  tmpl.SetHelpPicture("history.png");
  AddEnum(tmpl, {"a", "b", "c"}).SetVisible(false);
  AddInt(tmpl, -5, 5, 4);
  auto& value = AddFloat(tmpl, "L2^2", {"area", ""});
  value.SetDefault(2.5L);
  auto text = std::make_unique<kc::TStringColumn>();
  text->SetDefault("none");
  text->SetWidthInches(0.75L);
  tmpl.AddColumn(std::move(text));
  kc::TGridTable owner;
  owner.SetUnits(2);
  auto column = std::make_unique<kc::TTableColumn>();
  column->Templates().AddTable(&tmpl);
  owner.AddColumn(std::move(column));
  owner.SetRowCount(1);

  kc::TGridTable* sub = owner.Cell(0, 0).GetTable();
  ASSERT_TRUE(sub);
  EXPECT_EQ(sub->RowGroup(), 1);
  EXPECT_EQ(sub->HelpPicture(), "");
  EXPECT_EQ(sub->RowCount(), 2);
  ASSERT_EQ(sub->ColumnCount(), 4);
  EXPECT_FALSE(sub->Column(0).Visible());
  EXPECT_EQ(dynamic_cast<kc::TEnumColumn&>(sub->Column(0)).Items().size(), 3u);
  const auto& count = dynamic_cast<kc::TIntColumn&>(sub->Column(1));
  EXPECT_EQ(count.Minimum(), -5);
  EXPECT_EQ(count.Maximum(), 5);
  EXPECT_EQ(count.GetInt(1), 4);
  EXPECT_EQ(sub->Cell(2, 1).GetFloat(), 2.5L);
  EXPECT_EQ(sub->Column(2).GetHeaderLine(1), " (m^2)  ");  // in the owner's units
  EXPECT_EQ(sub->Cell(3, 1).GetText(), "none");
  EXPECT_EQ(dynamic_cast<kc::TStringColumn&>(sub->Column(3)).WidthInches(), 0.75L);
}

TEST(SubTables, ChoosingAnotherItemRebuildsTheRowEmpty) {
  TransientLoading t;
  kc::TGridTable other;  // a template for the sixth direction, later
  other.SetCaption("Other");
  AddFloat(other, "");
  t.histories->Templates().Delete(2);
  t.direction.SetItems(LoadDirections());  // the list follows the items: one entry appended
  t.loads.SetRowCount(2);

  kc::TGridTable* first = t.histories->GetTable(0);
  first->Cell(0, 0).SetFloat(5);
  t.direction.SetInt(0, 1);  // the same item: nothing is rebuilt
  EXPECT_EQ(t.histories->GetTable(0), first);

  t.direction.SetText(0, "2");
  kc::TGridTable* rebuilt = t.histories->GetTable(0);
  ASSERT_TRUE(rebuilt);
  EXPECT_EQ(rebuilt->Cell(0, 0).GetFloat(), 0.0L);
  EXPECT_EQ(rebuilt->Number(), 1);

  t.direction.SetInt(1, 6);  // the appended entry resolves to no table
  EXPECT_EQ(t.histories->GetObject(1), nullptr);
  EXPECT_EQ(t.histories->ButtonCaption(1), "2: ");
  t.histories->Templates().Delete(5);
  t.histories->Templates().AddTable(&other);
  t.histories->RebuildRow(1);
  EXPECT_EQ(t.histories->GetTable(1)->Caption(), "Other");
  t.direction.SetInt(1, 0);  // nothing chosen
  EXPECT_EQ(t.histories->GetObject(1), nullptr);
}

TEST(SubTables, RenumberedAfterRowOperations) {
  TransientLoading t;
  t.loads.SetRowCount(3);
  kc::TGridTable* second = t.histories->GetTable(1);
  kc::TGridTable* third = t.histories->GetTable(2);
  t.loads.DeleteRowsAt(0);
  EXPECT_EQ(second->Number(), 1);
  EXPECT_EQ(third->EditorTitle(), "Load Amplitude  2");
  t.loads.InsertRowsAt(0);
  EXPECT_EQ(t.histories->GetTable(0)->Number(), 1);
  EXPECT_EQ(second->Number(), 2);
  EXPECT_EQ(third->Number(), 3);
}

TEST(SubTables, TemplateListsFollowTheFirstColumn) {
  TransientLoading t;
  EXPECT_EQ(t.histories->Templates().Count(), 6);
  t.direction.SetItems({"one", "two", "three"});
  EXPECT_EQ(t.histories->Templates().Count(), 3);
  t.direction.SetItems(std::vector<std::string>(8, "x"));
  EXPECT_EQ(t.histories->Templates().Count(), 8);
  EXPECT_EQ(t.histories->Templates().Table(2), &t.amplitude);
  EXPECT_EQ(t.histories->Templates().Table(7), nullptr);

  kc::TGridTable plain;  // first column not a choice: one template
  AddFloat(plain, "L2");
  auto& column = plain.AddColumn(std::make_unique<kc::TTableColumn>());
  EXPECT_EQ(column.Templates().Count(), 1);
}

TEST(SubTables, TemplateEntries) {
  kc::TGridTable a, b;
  kc::TGridTableList list;
  list.AddIdentifier(a.Identifier());
  list.AddTable(&b);
  list.AddTable(nullptr);
  list.AddPosition(kc::TGridTable::PositionOf(&a));
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Table(0), &a);
  EXPECT_EQ(list.Table(1), &b);
  EXPECT_EQ(list.Table(2), nullptr);
  EXPECT_EQ(list.Position(3), kc::TGridTable::PositionOf(&a));
  EXPECT_EQ(list.Table(4), nullptr);

  const int old_a = a.Identifier();
  b.SetIdentifier(old_a);  // the entry by identifier now finds b
  EXPECT_EQ(list.Table(0), &b);
  list.Delete(0);
  EXPECT_EQ(list.Table(0), &b);
  EXPECT_THROW(list.Delete(3), kc::EListError);
}

TEST(SubTables, ChangesAndUnitsReachSubTables) {
  TransientLoading t;
  t.loads.SetRowCount(1);
  kc::TGridTable* sub = t.histories->GetTable(0);
  sub->Cell(0, 0).SetFloat(224.8089237L);  // lbs
  sub->SetChanged(true);
  EXPECT_TRUE(t.loads.IsChanged());
  t.loads.SetChanged(false);
  EXPECT_FALSE(sub->IsChanged());

  t.loads.SetUnits(2);
  EXPECT_EQ(sub->Units(), 2);
  EXPECT_NEAR(static_cast<double>(sub->Cell(0, 0).GetFloat()), 1.0, 1e-15);
}

// A table whose table column takes the table itself as its template: every sub-table would
// hold another one. The nesting ends after a few levels, with a row that has no sub-table.
TEST(SubTables, ATemplateContainingItselfNestsAFewLevelsOnly) {
  kc::TGridTable table;
  table.SetMinRows(1);
  AddFloat(table, "");
  auto column = std::make_unique<kc::TTableColumn>();
  column->Templates().AddTable(&table);
  table.AddColumn(std::move(column));
  table.SetRowCount(1);
  int depth = 0;
  for (const kc::TGridTable* t = &table; (t = static_cast<const kc::TTableColumn&>(t->Column(1)).GetTable(0));)
    ++depth;
  EXPECT_GE(depth, 1);
  EXPECT_LE(depth, 8);
}

// An object of the owner in the rows of a table column without templates.
struct Marker : kc::TRowObject {
  explicit Marker(int r) : row(r) {}
  int row;
  bool changed = true;
};

TEST(SubTables, RowObjectsOfTheOwner) {
  kc::TGridTable table;
  AddInt(table, 0, 10);
  auto& column = table.AddColumn(std::make_unique<kc::TTableColumn>());
  std::vector<std::string> log;
  table.OnInitRow = [&](kc::TGridTable&, int col, int row, int item, std::unique_ptr<kc::TRowObject>& data) {
    log.push_back("init " + std::to_string(col) + " " + std::to_string(row) + " " + std::to_string(item));
    data = std::make_unique<Marker>(row);
  };
  table.OnSetRow = [&](kc::TGridTable&, int, kc::TRowObject* data, int row) { static_cast<Marker*>(data)->row = row; };
  table.OnGetChanged = [](kc::TGridTable&, int, int, kc::TRowObject* data, bool& changed) {
    changed = static_cast<Marker*>(data)->changed;
  };
  table.OnResetChanged = [](kc::TGridTable&, int, int, kc::TRowObject* data) { static_cast<Marker*>(data)->changed = false; };
  table.OnHide = [&](kc::TGridTable&, int, int row, kc::TRowObject*) { log.push_back("hide " + std::to_string(row)); };
  table.OnSetUnits = [&](kc::TGridTable&, int, int row, kc::TRowObject*, int system) {
    log.push_back("units " + std::to_string(row) + " " + std::to_string(system));
  };
  table.OnGetButtonCaption = [](kc::TGridTable&, int, int row, kc::TRowObject*, std::string& caption) {
    caption = "mass " + std::to_string(row);
  };
  table.OnButtonClick = [&](kc::TGridTable&, int col, int row, kc::TRowObject*) {
    log.push_back("click " + std::to_string(col) + " " + std::to_string(row));
  };

  table.SetRowCount(2);
  table.InsertRowsAt(0);
  EXPECT_EQ(static_cast<Marker*>(column.GetObject(2))->row, 2);  // told its new row
  EXPECT_EQ(column.GetTable(0), nullptr);
  EXPECT_TRUE(table.IsChanged());
  table.SetChanged(false);
  EXPECT_FALSE(table.IsChanged());
  EXPECT_EQ(column.ButtonCaption(1), "2: mass 1");
  column.ButtonClick(1);
  table.CloseEditor();
  table.SetUnits(2);
  EXPECT_EQ(log, (std::vector<std::string>{"init 1 0 1", "init 1 1 1", "init 1 0 1", "click 1 1", "hide 0", "hide 1",
                                           "hide 2", "units 0 2", "units 1 2", "units 2 2"}));

  table.OnSetRow = [](kc::TGridTable&, int, kc::TRowObject*, int) { throw std::runtime_error("refused"); };
  EXPECT_THROW(table.AddRows(), std::runtime_error);  // the new object is freed
}

class SubTableEditors : public EditorTest {};

TEST_F(SubTableEditors, OpenedAndClosedWithTheirTables) {
  TransientLoading t;
  t.loads.SetRowCount(2);

  kc::TGridTable empty;
  empty.ShowEditor();
  AddFloat(empty, "").SetVisible(false);
  empty.ShowEditor();
  EXPECT_EQ(factory.created, 0);  // no visible column, no editor

  kc::TWindowControl host;
  t.loads.SetFormParent(&host);
  t.loads.ShowEditor();
  t.loads.ShowEditor();
  RecordingEditor* editor = factory.EditorOf(t.loads);
  ASSERT_TRUE(editor);
  EXPECT_EQ(factory.created, 1);
  EXPECT_EQ(editor->shows, 2);
  EXPECT_EQ(editor->Parent(), &host);
  EXPECT_FALSE(editor->IsModal());

  t.histories->ButtonClick(0);
  kc::TGridTable* first = t.histories->GetTable(0);
  ASSERT_TRUE(factory.EditorOf(*first));
  EXPECT_FALSE(factory.EditorOf(*first)->IsModal());

  t.direction.SetInt(0, 4);  // the old sub-table goes, and its editor with it
  EXPECT_EQ(factory.OpenCount(), 1);
  EXPECT_EQ(editor->cells, (std::vector<std::pair<int, int>>{{1, 0}, {0, 0}}));  // button, then choice

  t.histories->ButtonClick(1);
  kc::TGridTable* second = t.histories->GetTable(1);
  t.loads.InsertRowsAt(0);
  EXPECT_EQ(factory.EditorOf(*second)->title, "Load Amplitude  3");

  const int refreshes = editor->refreshes;
  t.loads.SetHelpPicture("transient.png");
  EXPECT_EQ(editor->refreshes, refreshes + 1);

  t.loads.ReopenEditor();  // sub-table editors close too
  EXPECT_EQ(factory.created, 4);
  EXPECT_EQ(factory.OpenCount(), 1);
  ASSERT_TRUE(factory.EditorOf(t.loads));

  t.loads.CloseEditor();
  EXPECT_EQ(factory.OpenCount(), 0);
  t.loads.ReopenEditor();  // nothing open: nothing to reopen
  EXPECT_EQ(factory.OpenCount(), 0);
}

TEST_F(SubTableEditors, ModalEditorsOpenModalSubTableEditors) {
  TransientLoading t;
  t.loads.SetRowCount(1);
  kc::TWindowControl host;
  t.loads.SetFormParent(&host);
  t.loads.ShowEditorModal();
  RecordingEditor* editor = factory.EditorOf(t.loads);
  ASSERT_TRUE(editor);
  EXPECT_TRUE(editor->IsModal());
  EXPECT_EQ(editor->Parent(), nullptr);  // a window of its own
  t.histories->ButtonClick(0);
  EXPECT_TRUE(factory.EditorOf(*t.histories->GetTable(0))->IsModal());
}

TEST_F(SubTableEditors, DestroyedTableClosesItsEditor) {
  {
    TransientLoading t;
    t.loads.SetRowCount(1);
    t.loads.ShowEditor();
    t.histories->ButtonClick(0);
    EXPECT_EQ(factory.OpenCount(), 2);
  }
  EXPECT_EQ(factory.OpenCount(), 0);
}

}  // namespace
