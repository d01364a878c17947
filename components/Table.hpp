// The grid table: holder of all tabular project input (soil layers, pile sections, pile
// coordinates, mass components, load histories and spectra).
//
// A table has an ordered list of typed columns (it owns them), a row count, a unit system for
// its float columns, and optionally sub-tables in the cells of a table column, built from
// template tables. Every live table is in one list and has an identifier unique among them;
// templates are referred to by identifier. Rows are added, inserted and deleted in row groups.
// Editing happens in an editor window that attaches to the table while it is open.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/ColumnTypes.hpp"
#include "components/TableEditor.hpp"

namespace korval::components {

class TTableColumn;

class TGridTable : public TRowObject {
 public:
  // Events about row objects that are not sub-tables (ACol is the table column's index).
  using TRowEvent = std::function<void(TGridTable& sender, int col, int row, TRowObject* data)>;
  using TGetButtonCaptionEvent =
      std::function<void(TGridTable& sender, int col, int row, TRowObject* data, std::string& caption)>;
  using TGetChangedEvent = std::function<void(TGridTable& sender, int col, int row, TRowObject* data, bool& changed)>;
  using TInitRowEvent =
      std::function<void(TGridTable& sender, int col, int row, int enum_type, std::unique_ptr<TRowObject>& data)>;
  using TSetRowEvent = std::function<void(TGridTable& sender, int col, TRowObject* data, int row)>;
  using TSetUnitsEvent = std::function<void(TGridTable& sender, int col, int row, TRowObject* data, int system)>;
  using TNotifyEvent = std::function<void(TGridTable& sender)>;

  // A new empty table: no columns, no rows, MinRows 1, MaxRows 0, RowGroup 1, the next
  // identifier, the unit system of an owning table or else English.
  explicit TGridTable(TGridTable* owner = nullptr);
  // The sub-table of row `number` - 1 of `owner`: caption, comments, top-left text, row
  // limits and a clone of every column of `tmpl`, with MinRows rows.
  static std::unique_ptr<TGridTable> CreateFromTemplate(TGridTable& owner, int number, const TGridTable& tmpl);
  // Closes the editor, frees the columns with their rows and sub-tables, leaves the live list.
  ~TGridTable() override;
  TGridTable(const TGridTable&) = delete;
  TGridTable& operator=(const TGridTable&) = delete;

  // Published properties.
  const std::string& Comments() const { return comments_; }
  void SetComments(std::string text) { comments_ = std::move(text); }
  int Identifier() const { return identifier_; }
  // A negative value is ignored; a live table that has the value takes this table's old one.
  void SetIdentifier(int identifier);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  int MaxRows() const { return max_rows_; }  // 0: no limit
  void SetMaxRows(int rows) { max_rows_ = rows; }
  int MinRows() const { return min_rows_; }
  // Raises Exception "Value must be greater than 0" for 0 or less.
  void SetMinRows(int rows);
  const std::string& HelpPicture() const { return help_picture_; }  // picture resource name
  void SetHelpPicture(std::string picture);  // refreshes an open editor
  bool HardwiredButton() const { return hardwired_button_; }
  void SetHardwiredButton(bool value) { hardwired_button_ = value; }
  TWindowControl* FormParent() const { return form_parent_; }  // editor embedded here when set
  void SetFormParent(TWindowControl* parent) { form_parent_ = parent; }
  int RowGroup() const { return row_group_; }
  void SetRowGroup(int size) { row_group_ = size < 1 ? 1 : size; }
  const std::string& TopLeft() const { return top_left_; }
  void SetTopLeft(std::string text) { top_left_ = std::move(text); }

  // Published events.
  TNotifyEvent OnResize;  // fired by the editor after its layout
  TRowEvent OnButtonClick;
  TGetButtonCaptionEvent OnGetButtonCaption;
  TGetChangedEvent OnGetChanged;
  TRowEvent OnHide;
  TInitRowEvent OnInitRow;
  TRowEvent OnResetChanged;
  TSetRowEvent OnSetRow;
  TSetUnitsEvent OnSetUnits;

  // Columns.
  // Attaches the column, grows it to the row count and appends it; returns it.
  template <class C>
  C& AddColumn(std::unique_ptr<C> column) {
    C& added = *column;
    Append(std::move(column));
    return added;
  }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  TColumn& Column(int index) const;  // EListError outside
  int IndexOf(const TColumn& column) const;  // -1 when not a column of this table
  int VisibleColumnCount() const;
  TColumn& VisibleColumn(int index) const;  // EListError "Index out of bounds" outside
  int VisibleIndexOf(const TColumn& column) const;  // -1 for a hidden column
  int HeaderRowCount() const;  // largest header line count of the visible columns
  TTableColumn* FirstTableColumn() const;

  // Cells.
  TData Cell(int column, int row) const;  // EListError outside
  bool IsValidCell(int column, int row) const;

  // Rows. Every column takes part; the editor is refreshed afterwards.
  int RowCount() const { return row_count_; }
  // Columns lose their last rows or gain row groups at the end (the last group cut to `rows`).
  void SetRowCount(int rows);
  void AddRows();                 // one row group at the end
  void InsertRowsAt(int row);     // one row group before the group of `row` (0 <= row <= RowCount)
  void DeleteRowsAt(int row);     // the group of `row`

  // Unit system; switching converts every float column and every sub-table.
  int Units() const { return units_; }
  void SetUnits(int system);

  // Change tracking: the flag set by the editor, or changes inside sub-tables.
  bool IsChanged() const;
  void SetChanged(bool changed);  // false also resets the sub-tables

  // Sub-table number: 0 for a top-level table, row + 1 for a sub-table.
  int Number() const { return number_; }
  void SetNumber(int number);  // retitles an open editor
  TGridTable* OwnerTable() const { return owner_; }
  // Title of the editor: the caption, a blank, and the sub-table numbers of the outermost
  // sub-table down to this one, each after a blank ("Load Amplitude  2").
  std::string EditorTitle() const;

  // The column stream ("Col"): the column count, then each column's type id and record.
  // Reading appends the columns; failures raise Exception with "Error reading column count",
  // or "Error occured when creating column k: " and the reason.
  void ReadColumns(TValueReader& reader);
  void WriteColumns(TValueWriter& writer) const;

  // The editor window. ShowEditor does nothing for a table without visible columns.
  void ShowEditor();
  void ShowEditorModal();
  void CloseEditor();   // also closes the editors of sub-tables
  void ReopenEditor();  // closes and shows again an open editor (headers drawn anew)
  TTableEditor* Editor() const { return editor_; }
  // Called by the editor when it closes.
  void DetachEditor() { editor_ = nullptr; }

  // The list of live tables.
  static int LiveTableCount();
  static TGridTable* LiveTable(int position);  // nullptr outside the list
  static int PositionOf(const TGridTable* table);  // -1 when not live
  static TGridTable* FindTable(int identifier);  // nullptr when no live table has it

 private:
  friend class TColumn;
  friend class TEnumColumn;

  void Append(std::unique_ptr<TColumn> column);
  void Refresh() const;
  // The change notification of a column's cell.
  void ColumnChanged(const TColumn& column, int row);
  // The first column's item list changed.
  void ItemsChanged(const TColumn& column);
  void SynchroniseTemplates();
  void OpenEditor(bool modal);

  std::string comments_;
  int identifier_;
  std::string caption_;
  int max_rows_ = 0;
  int min_rows_ = 1;
  std::string help_picture_;
  bool hardwired_button_ = false;
  TWindowControl* form_parent_ = nullptr;
  int row_group_ = 1;
  std::string top_left_;

  TGridTable* owner_;
  int row_count_ = 0;
  int units_;
  int number_ = 0;
  bool changed_ = false;
  std::vector<std::unique_ptr<TColumn>> columns_;
  TTableEditor* editor_ = nullptr;
};

}  // namespace korval::components
