// The table-valued column: every row owns an object, normally a sub-table built from a
// template table (one load-amplitude table per load type, say).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/ColumnTypes.hpp"
#include "components/TableEditor.hpp"

namespace korval::components {

// Template list of a table column. An entry made from an identifier resolves to the live
// table with that identifier; one made from a position (or a table, stored as its position in
// the list of live tables, -1 for none) to the table at that position. Either resolves to no
// table when nothing matches, and so does an index outside the list.
class TGridTableList {
 public:
  void AddPosition(int position);
  void AddTable(const TGridTable* table);
  void AddIdentifier(int identifier);
  void Delete(int index);  // EListError outside the list
  int Count() const { return static_cast<int>(entries_.size()); }
  TGridTable* Table(int index) const;
  int Position(int index) const;  // of the resolved table in the list of live tables, or -1

 private:
  struct TIntWrapper {
    bool by_identifier;
    int value;
  };
  std::vector<TIntWrapper> entries_;
};

class TTableColumn : public TColumn {
 public:
  static constexpr int kTypeId = 3;
  TTableColumn() = default;

  int TypeId() const override { return kTypeId; }
  std::unique_ptr<TColumn> Clone() const override;

  // One entry per item of the table's first column when that is an enumeration column,
  // else one; the table keeps the count.
  TGridTableList& Templates() { return templates_; }
  const TGridTableList& Templates() const { return templates_; }

  void InsertRows(int at, int count) override;
  void DeleteRow(int row) override;
  // The row's sub-table, or nullptr when the row holds another object or none.
  TGridTable* GetTable(int row) const override;
  TRowObject* GetObject(int row) const override;
  bool UsesControls() const override { return true; }
  bool IsDataChanged() const override;
  void HideSubTables() override;
  void ResetDataChanged() override;
  void SetUnits(int system) override;
  int ColumnWidth(const TFontMetric& metric) const override;

  // Caption of the button over the row's cell: "row+1: " and the sub-table's caption, or the
  // caption OnGetButtonCaption supplies for another object.
  std::string ButtonCaption(int row) const;
  // The row's button was pressed: opens the sub-table's editor (modally when the table's own
  // editor is modal), or fires OnButtonClick for another object.
  void ButtonClick(int row);
  // Builds the row's object again from the template of the row's item; the old one is freed.
  void RebuildRow(int row);
  // Appends entries that resolve to no table, or removes entries from the end, to `count`.
  void SynchroniseTemplates(int count);

 protected:
  void WriteSettings(TValueWriter& writer) const override;
  void ReadSettings(TValueReader& reader) override;

 private:
  std::unique_ptr<TRowObject> CreateRowObject(int row);
  // Tells the objects of the rows from `from` on their (new) row.
  void Renumber(int from);
  int Index() const;

  TGridTableList templates_;
  std::vector<std::unique_ptr<TRowObject>> objects_;
};

}  // namespace korval::components
