#include "components/TableColumn.hpp"

#include <algorithm>

#include "components/Errors.hpp"
#include "components/Table.hpp"
#include "components/ValueStream.hpp"

namespace korval::components {
namespace {

constexpr std::string_view kTableMarker = "FLEXCOLUMN2";

// Sub-tables of the project nest one level; eight is far beyond any real table.
constexpr int kMaxSubTableNesting = 8;

int NestingDepth(const TGridTable& table) {
  int depth = 0;
  for (const TGridTable* t = table.OwnerTable(); t; t = t->OwnerTable()) ++depth;
  return depth;
}

}  // namespace

// ---- TGridTableList ----

void TGridTableList::AddPosition(int position) { entries_.push_back({false, position}); }

void TGridTableList::AddTable(const TGridTable* table) { AddPosition(TGridTable::PositionOf(table)); }

void TGridTableList::AddIdentifier(int identifier) { entries_.push_back({true, identifier}); }

void TGridTableList::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError("Index out of bounds");
  entries_.erase(entries_.begin() + index);
}

TGridTable* TGridTableList::Table(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  const TIntWrapper& entry = entries_[static_cast<std::size_t>(index)];
  return entry.by_identifier ? TGridTable::FindTable(entry.value) : TGridTable::LiveTable(entry.value);
}

int TGridTableList::Position(int index) const { return TGridTable::PositionOf(Table(index)); }

// ---- TTableColumn ----

std::unique_ptr<TColumn> TTableColumn::Clone() const {
  auto column = std::make_unique<TTableColumn>();
  column->CopyCommonSettings(*this);
  column->templates_ = templates_;
  return column;
}

int TTableColumn::Index() const { return Table()->IndexOf(*this); }

std::unique_ptr<TRowObject> TTableColumn::CreateRowObject(int row) {
  TGridTable* table = Table();
  if (!table) return nullptr;
  int item = 1;
  if (const auto* first = dynamic_cast<const TEnumColumn*>(&table->Column(0))) item = first->GetInt(row);
  if (const TGridTable* tmpl = templates_.Table(item - 1)) {
    // A template that contains, directly or through its own templates, the table being filled
    // would nest sub-tables without end; such a row gets no sub-table.
    if (NestingDepth(*table) >= kMaxSubTableNesting) return nullptr;
    return TGridTable::CreateFromTemplate(*table, row + 1, *tmpl);
  }
  if (!table->OnInitRow) return nullptr;
  std::unique_ptr<TRowObject> object;
  table->OnInitRow(*table, Index(), row, item, object);
  if (object && table->OnSetRow) table->OnSetRow(*table, Index(), object.get(), row);
  return object;
}

void TTableColumn::Renumber(int from) {
  for (int r = from; r < RowCount(); ++r) {
    TRowObject* object = objects_[static_cast<std::size_t>(r)].get();
    if (auto* sub = dynamic_cast<TGridTable*>(object)) {
      sub->SetNumber(r + 1);
    } else if (object && Table()->OnSetRow) {
      Table()->OnSetRow(*Table(), Index(), object, r);
    }
  }
}

void TTableColumn::InsertRows(int at, int count) {
  for (int i = 0; i < count; ++i) objects_.insert(objects_.begin() + at, nullptr);
  TColumn::InsertRows(at, count);
  for (int r = at; r < at + count; ++r) objects_[static_cast<std::size_t>(r)] = CreateRowObject(r);
  Renumber(at + count);
}

void TTableColumn::DeleteRow(int row) {
  CheckRow(row);
  objects_.erase(objects_.begin() + row);
  TColumn::DeleteRow(row);
  Renumber(row);
}

TGridTable* TTableColumn::GetTable(int row) const { return dynamic_cast<TGridTable*>(GetObject(row)); }

TRowObject* TTableColumn::GetObject(int row) const {
  CheckRow(row);
  return objects_[static_cast<std::size_t>(row)].get();
}

bool TTableColumn::IsDataChanged() const {
  for (int r = 0; r < RowCount(); ++r) {
    TRowObject* object = GetObject(r);
    bool changed = false;
    if (const auto* sub = dynamic_cast<const TGridTable*>(object)) {
      changed = sub->IsChanged();
    } else if (object && Table()->OnGetChanged) {
      Table()->OnGetChanged(*Table(), Index(), r, object, changed);
    }
    if (changed) return true;
  }
  return false;
}

void TTableColumn::HideSubTables() {
  for (int r = 0; r < RowCount(); ++r) {
    TRowObject* object = GetObject(r);
    if (auto* sub = dynamic_cast<TGridTable*>(object)) {
      sub->CloseEditor();
    } else if (object && Table()->OnHide) {
      Table()->OnHide(*Table(), Index(), r, object);
    }
  }
}

void TTableColumn::ResetDataChanged() {
  for (int r = 0; r < RowCount(); ++r) {
    TRowObject* object = GetObject(r);
    if (auto* sub = dynamic_cast<TGridTable*>(object)) {
      sub->SetChanged(false);
    } else if (object && Table()->OnResetChanged) {
      Table()->OnResetChanged(*Table(), Index(), r, object);
    }
  }
}

void TTableColumn::SetUnits(int system) {
  for (int r = 0; r < RowCount(); ++r) {
    TRowObject* object = GetObject(r);
    if (auto* sub = dynamic_cast<TGridTable*>(object)) {
      sub->SetUnits(system);
    } else if (object && Table()->OnSetUnits) {
      Table()->OnSetUnits(*Table(), Index(), r, object, system);
    }
  }
}

int TTableColumn::ColumnWidth(const TFontMetric& metric) const {
  return std::max(HeaderWidth(metric), 2 * metric.PixelsPerInch());
}

std::string TTableColumn::ButtonCaption(int row) const {
  std::string caption;
  if (const TGridTable* sub = GetTable(row)) {
    caption = sub->Caption();
  } else if (Table() && Table()->OnGetButtonCaption) {
    Table()->OnGetButtonCaption(*Table(), Index(), row, GetObject(row), caption);
  }
  return std::to_string(row + 1) + ": " + caption;
}

void TTableColumn::ButtonClick(int row) {
  if (TGridTable* sub = GetTable(row)) {
    const TTableEditor* editor = Table() ? Table()->Editor() : nullptr;
    if (editor && editor->IsModal()) {
      sub->ShowEditorModal();
    } else {
      sub->ShowEditor();
    }
  } else if (Table() && Table()->OnButtonClick) {
    Table()->OnButtonClick(*Table(), Index(), row, GetObject(row));
  }
}

void TTableColumn::RebuildRow(int row) {
  CheckRow(row);
  objects_[static_cast<std::size_t>(row)] = CreateRowObject(row);  // frees the old object
  Changed(row);  // the editor recaptions the row's button
}

void TTableColumn::SynchroniseTemplates(int count) {
  while (templates_.Count() < count) templates_.AddTable(nullptr);
  while (templates_.Count() > count) templates_.Delete(templates_.Count() - 1);
}

void TTableColumn::WriteSettings(TValueWriter& writer) const {
  writer.WriteString(kTableMarker);
  writer.WriteListBegin();
  for (int i = 0; i < templates_.Count(); ++i) {
    const TGridTable* tmpl = templates_.Table(i);
    writer.WriteInteger(tmpl ? tmpl->Identifier() : -1);
  }
  writer.WriteListEnd();
}

void TTableColumn::ReadSettings(TValueReader& reader) {
  if (reader.ReadString() != kTableMarker) throw Exception("Column stream marker FLEXCOLUMN2 expected");
  reader.ReadListBegin();
  while (!reader.EndOfList()) templates_.AddIdentifier(reader.ReadInteger());
  reader.ReadListEnd();
}

}  // namespace korval::components
