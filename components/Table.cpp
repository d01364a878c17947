#include "components/Table.hpp"

#include <algorithm>
#include <cassert>
#include <utility>

#include "components/Errors.hpp"
#include "components/TableColumn.hpp"
#include "components/Units.hpp"
#include "components/ValueStream.hpp"

namespace korval::components {
namespace {

// Every live table, in the order of creation, and the counter that hands out identifiers.
// The program runs on one thread.
std::vector<TGridTable*>& LiveTables() {
  static std::vector<TGridTable*> tables;
  return tables;
}

int& NextIdentifier() {
  static int next = 0;
  return next;
}

TTableEditorFactory*& EditorFactory() {
  static TTableEditorFactory* factory = nullptr;
  return factory;
}

[[noreturn]] void OutOfBounds() { throw EListError("Index out of bounds"); }

}  // namespace

void SetTableEditorFactory(TTableEditorFactory* factory) { EditorFactory() = factory; }

TGridTable::TGridTable(TGridTable* owner)
    : identifier_(NextIdentifier()++), owner_(owner), units_(owner ? owner->units_ : kEnglishUnits) {
  LiveTables().push_back(this);
}

std::unique_ptr<TGridTable> TGridTable::CreateFromTemplate(TGridTable& owner, int number, const TGridTable& tmpl) {
  auto table = std::make_unique<TGridTable>(&owner);
  table->caption_ = tmpl.caption_;
  table->comments_ = tmpl.comments_;
  table->top_left_ = tmpl.top_left_;
  table->min_rows_ = tmpl.min_rows_;
  table->max_rows_ = tmpl.max_rows_;
  for (const auto& column : tmpl.columns_) table->Append(column->Clone());
  table->number_ = number;
  table->SetRowCount(table->min_rows_);
  return table;
}

TGridTable::~TGridTable() {
  if (TTableEditor* editor = std::exchange(editor_, nullptr)) editor->Close();
  columns_.clear();  // frees the rows and their sub-tables
  std::vector<TGridTable*>& live = LiveTables();
  live.erase(std::find(live.begin(), live.end(), this));
}

void TGridTable::SetIdentifier(int identifier) {
  if (identifier < 0) return;
  for (TGridTable* table : LiveTables())
    if (table != this && table->identifier_ == identifier) table->identifier_ = identifier_;
  identifier_ = identifier;
}

void TGridTable::SetMinRows(int rows) {
  if (rows <= 0) throw Exception("Value must be greater than 0");
  min_rows_ = rows;
}

void TGridTable::SetHelpPicture(std::string picture) {
  help_picture_ = std::move(picture);
  Refresh();
}

// ---- columns ----

void TGridTable::Append(std::unique_ptr<TColumn> column) {
  assert(column && !column->table_);
  column->table_ = this;
  columns_.push_back(std::move(column));
  TColumn& added = *columns_.back();
  try {
    while (added.RowCount() < row_count_)
      added.InsertRows(added.RowCount(), std::min(row_group_, row_count_ - added.RowCount()));
  } catch (...) {
    columns_.pop_back();
    throw;
  }
  SynchroniseTemplates();
  Refresh();
}

TColumn& TGridTable::Column(int index) const {
  if (index < 0 || index >= ColumnCount()) OutOfBounds();
  return *columns_[static_cast<std::size_t>(index)];
}

int TGridTable::IndexOf(const TColumn& column) const {
  for (int i = 0; i < ColumnCount(); ++i)
    if (columns_[static_cast<std::size_t>(i)].get() == &column) return i;
  return -1;
}

int TGridTable::VisibleColumnCount() const {
  return static_cast<int>(std::count_if(columns_.begin(), columns_.end(), [](const auto& c) { return c->Visible(); }));
}

TColumn& TGridTable::VisibleColumn(int index) const {
  int seen = 0;
  for (const auto& column : columns_)
    if (column->Visible() && seen++ == index) return *column;
  OutOfBounds();
}

int TGridTable::VisibleIndexOf(const TColumn& column) const {
  if (!column.Visible()) return -1;
  int index = 0;
  for (const auto& c : columns_) {
    if (c.get() == &column) return index;
    if (c->Visible()) ++index;
  }
  return -1;
}

int TGridTable::HeaderRowCount() const {
  int rows = 0;
  for (const auto& column : columns_)
    if (column->Visible()) rows = std::max(rows, column->HeaderLineCount());
  return rows;
}

TTableColumn* TGridTable::FirstTableColumn() const {
  for (const auto& column : columns_)
    if (auto* table_column = dynamic_cast<TTableColumn*>(column.get())) return table_column;
  return nullptr;
}

TData TGridTable::Cell(int column, int row) const {
  TColumn& c = Column(column);
  if (row < 0 || row >= c.RowCount()) OutOfBounds();
  return TData(c, row);
}

bool TGridTable::IsValidCell(int column, int row) const {
  return column >= 0 && column < ColumnCount() && row >= 0 && row < row_count_;
}

// ---- rows ----

void TGridTable::SetRowCount(int rows) {
  row_count_ = std::max(0, rows);
  for (const auto& column : columns_) {
    while (column->RowCount() > row_count_) column->DeleteRow(column->RowCount() - 1);
    while (column->RowCount() < row_count_)
      column->InsertRows(column->RowCount(), std::min(row_group_, row_count_ - column->RowCount()));
  }
  Refresh();
}

void TGridTable::AddRows() {
  row_count_ += row_group_;
  for (const auto& column : columns_) column->InsertRows(column->RowCount(), row_group_);
  Refresh();
}

void TGridTable::InsertRowsAt(int row) {
  if (row < 0 || row > row_count_) OutOfBounds();
  const int at = row_group_ * (row / row_group_);
  row_count_ += row_group_;
  for (const auto& column : columns_) column->InsertRows(at, row_group_);
  Refresh();
}

void TGridTable::DeleteRowsAt(int row) {
  if (row < 0 || row >= row_count_) OutOfBounds();
  const int first = row_group_ * (row / row_group_);
  const int count = std::min(first + row_group_, row_count_) - first;
  row_count_ -= count;
  for (const auto& column : columns_)
    for (int k = 0; k < count; ++k) column->DeleteRow(first);
  Refresh();
}

// ---- units, changes, numbering ----

void TGridTable::SetUnits(int system) {
  if (system == units_) return;
  for (const auto& column : columns_) column->SetUnits(system);
  units_ = system;
  Refresh();
}

bool TGridTable::IsChanged() const {
  return changed_ || std::any_of(columns_.begin(), columns_.end(), [](const auto& c) { return c->IsDataChanged(); });
}

void TGridTable::SetChanged(bool changed) {
  changed_ = changed;
  if (changed) return;
  for (const auto& column : columns_) column->ResetDataChanged();
}

void TGridTable::SetNumber(int number) {
  number_ = number;
  if (editor_) editor_->Retitle();
}

std::string TGridTable::EditorTitle() const {
  std::string path;
  for (const TGridTable* table = this; table->owner_; table = table->owner_)
    path.insert(0, " " + std::to_string(table->number_));
  return caption_ + " " + path;
}

// ---- notifications ----

void TGridTable::Refresh() const {
  if (editor_) editor_->Refresh();
}

void TGridTable::ColumnChanged(const TColumn& column, int row) {
  const bool first_enum = !columns_.empty() && columns_.front().get() == &column && dynamic_cast<const TEnumColumn*>(&column);
  if (first_enum) {
    if (TTableColumn* table_column = FirstTableColumn()) table_column->RebuildRow(row);
  }
  if (editor_) editor_->CellChanged(IndexOf(column), row);
}

void TGridTable::ItemsChanged(const TColumn& column) {
  if (!columns_.empty() && columns_.front().get() == &column) SynchroniseTemplates();
}

void TGridTable::SynchroniseTemplates() {
  if (columns_.empty()) return;
  const auto* first = dynamic_cast<const TEnumColumn*>(columns_.front().get());
  const int count = first ? static_cast<int>(first->Items().size()) : 1;
  for (const auto& column : columns_)
    if (auto* table_column = dynamic_cast<TTableColumn*>(column.get())) table_column->SynchroniseTemplates(count);
}

// ---- column stream ----

void TGridTable::ReadColumns(TValueReader& reader) {
  int count = 0;
  try {
    count = reader.ReadInteger();
  } catch (const Exception&) {
    throw Exception("Error reading column count");
  }
  for (int k = 0; k < count; ++k) {
    try {
      const int type_id = reader.ReadInteger();
      Append(TColumn::CreateFromStream(type_id, reader));
    } catch (const Exception& e) {
      throw Exception("Error occured when creating column " + std::to_string(k) + ": " + e.what());
    }
  }
  Refresh();
}

void TGridTable::WriteColumns(TValueWriter& writer) const {
  writer.WriteInteger(ColumnCount());
  for (const auto& column : columns_) {
    writer.WriteInteger(column->TypeId());
    column->WriteToStream(writer);
  }
}

// ---- editor ----

void TGridTable::OpenEditor(bool modal) {
  if (VisibleColumnCount() == 0) return;
  if (!editor_) {
    if (!EditorFactory()) return;
    editor_ = EditorFactory()->CreateEditor(*this, modal ? nullptr : form_parent_, modal);
  }
  editor_->Show();
}

void TGridTable::ShowEditor() { OpenEditor(false); }

void TGridTable::ShowEditorModal() { OpenEditor(true); }

void TGridTable::CloseEditor() {
  if (TTableEditor* editor = std::exchange(editor_, nullptr)) editor->Close();
  for (const auto& column : columns_) column->HideSubTables();
}

void TGridTable::ReopenEditor() {
  if (!editor_) return;
  CloseEditor();
  ShowEditor();
}

// ---- live tables ----

int TGridTable::LiveTableCount() { return static_cast<int>(LiveTables().size()); }

TGridTable* TGridTable::LiveTable(int position) {
  const std::vector<TGridTable*>& live = LiveTables();
  return position >= 0 && position < static_cast<int>(live.size()) ? live[static_cast<std::size_t>(position)] : nullptr;
}

int TGridTable::PositionOf(const TGridTable* table) {
  const std::vector<TGridTable*>& live = LiveTables();
  const auto it = std::find(live.begin(), live.end(), table);
  return it == live.end() ? -1 : static_cast<int>(it - live.begin());
}

TGridTable* TGridTable::FindTable(int identifier) {
  for (TGridTable* table : LiveTables())
    if (table->identifier_ == identifier) return table;
  return nullptr;
}

}  // namespace korval::components
