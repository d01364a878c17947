// Typed columns of a grid table and the handle of one cell.
//
// A column belongs to one table and holds one value per row; rows are counted from 0. A value
// written to a cell is reported to the table (which rebuilds dependent sub-tables and redraws
// the cell); a row-grouped column writes it to every row of the row's group.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korval::components {

class TFontMetric;
class TGridTable;
class TRowObject;
class TValueReader;
class TValueWriter;

class TColumn {
 public:
  TColumn(const TColumn&) = delete;
  TColumn& operator=(const TColumn&) = delete;
  virtual ~TColumn() = default;

  // The id of the column's type in the column stream.
  virtual int TypeId() const = 0;
  // A new, empty column of the same type and settings, for another table.
  virtual std::unique_ptr<TColumn> Clone() const = 0;
  // A column read from a stream: the type's record after its id. Raises Exception
  // "Error Column Class not defined" when no type has the id.
  static std::unique_ptr<TColumn> CreateFromStream(int type_id, TValueReader& reader);
  // The column's record: header lines, visible, row grouped, then the type's own settings.
  void WriteToStream(TValueWriter& writer) const;

  TGridTable* Table() const { return table_; }
  int RowCount() const { return rows_; }

  // Inserts `count` rows before `at` (types store the values of the new rows first).
  virtual void InsertRows(int at, int count);
  virtual void DeleteRow(int row);

  const std::vector<std::string>& HeaderLines() const { return header_; }
  void SetHeaderLines(std::vector<std::string> lines) { header_ = std::move(lines); }
  int HeaderLineCount() const { return static_cast<int>(header_.size()); }
  // Header line `i` as the editor shows it.
  virtual std::string GetHeaderLine(int i) const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool RowGrouped() const { return row_grouped_; }
  void SetRowGrouped(bool grouped) { row_grouped_ = grouped; }
  // The table's row group (1 without a table).
  int RowGroupSize() const;

  // Cell access. A kind of value the column does not hold raises EInvalidCast
  // "Data of wrong type"; a row outside the column raises EListError.
  virtual TGridTable* GetTable(int row) const;
  virtual TRowObject* GetObject(int row) const;
  virtual long double GetFloat(int row) const;
  virtual void SetFloat(int row, long double value);
  virtual int GetInt(int row) const;
  virtual void SetInt(int row, int value);
  // The cell as the editor shows it; empty for columns without text.
  virtual std::string GetText(int row) const;
  // Evaluates or stores typed text; raises EAssignError with the message for the user when
  // the text is not acceptable, leaving the cell unchanged. Columns without text ignore it.
  virtual void SetText(int row, std::string_view text);

  // Whether the editor places controls (drop-down lists, buttons) over the cells.
  virtual bool UsesControls() const { return false; }
  // Whether row objects (sub-tables) hold changes.
  virtual bool IsDataChanged() const { return false; }
  virtual void HideSubTables() {}
  virtual void ResetDataChanged() {}
  // Converts stored values from the table's unit system to `system`.
  virtual void SetUnits(int system);
  // Width in the editor grid, in pixels: the widest header line and two blanks, at least
  // the type's minimum.
  virtual int ColumnWidth(const TFontMetric& metric) const;

 protected:
  TColumn() = default;
  // The clone's share of the settings common to all types.
  void CopyCommonSettings(const TColumn& from);
  virtual void WriteSettings(TValueWriter& writer) const = 0;
  virtual void ReadSettings(TValueReader& reader) = 0;

  void CheckRow(int row) const;
  [[noreturn]] static void WrongType();
  // The change notification: the value of `row` was written.
  void Changed(int row) const;
  // The rows [first, last) that a value written to `row` goes to.
  std::pair<int, int> WrittenRows(int row) const;
  // The column `offset` places from this one in its table, or nullptr.
  TColumn* Neighbour(int offset) const;
  int HeaderWidth(const TFontMetric& metric) const;

 private:
  friend class TGridTable;

  TGridTable* table_ = nullptr;
  int rows_ = 0;
  std::vector<std::string> header_;
  bool visible_ = true;
  bool row_grouped_ = false;
};

// A choice from an item list; stores the 1-based item number (0 = nothing chosen).
class TEnumColumn : public TColumn {
 public:
  static constexpr int kTypeId = 0;
  TEnumColumn() = default;

  int TypeId() const override { return kTypeId; }
  std::unique_ptr<TColumn> Clone() const override;

  const std::vector<std::string>& Items() const { return items_; }
  // A new item list; when this is its table's first column, the table column templates
  // follow the number of items.
  void SetItems(std::vector<std::string> items);

  void InsertRows(int at, int count) override;
  void DeleteRow(int row) override;
  int GetInt(int row) const override;
  void SetInt(int row, int value) override;  // sends nothing when the value does not change
  std::string GetText(int row) const override;
  void SetText(int row, std::string_view text) override;
  bool UsesControls() const override { return true; }
  int ColumnWidth(const TFontMetric& metric) const override;

 protected:
  void WriteSettings(TValueWriter& writer) const override;
  void ReadSettings(TValueReader& reader) override;

 private:
  std::vector<std::string> items_;
  std::vector<int> values_;
};

class TIntColumn : public TColumn {
 public:
  static constexpr int kTypeId = 1;
  TIntColumn() = default;

  int TypeId() const override { return kTypeId; }
  std::unique_ptr<TColumn> Clone() const override;

  int Default() const { return default_; }
  void SetDefault(int value) { default_ = value; }
  int Minimum() const { return minimum_; }
  void SetMinimum(int value) { minimum_ = value; }
  int Maximum() const { return maximum_; }
  void SetMaximum(int value) { maximum_ = value; }

  void InsertRows(int at, int count) override;
  void DeleteRow(int row) override;
  int GetInt(int row) const override;
  void SetInt(int row, int value) override;
  std::string GetText(int row) const override;
  // The value must be within 1e-10 of an integer and, rounded, between the minimum and maximum.
  void SetText(int row, std::string_view text) override;
  int ColumnWidth(const TFontMetric& metric) const override;

 protected:
  void WriteSettings(TValueWriter& writer) const override;
  void ReadSettings(TValueReader& reader) override;

 private:
  int default_ = 0;
  int minimum_ = -2147483647 - 1;
  int maximum_ = 2147483647;
  std::vector<int> values_;
};

// Unit-aware extended reals. A top-depth column and the float column after it hold the top
// and bottom depths of layers: the top of each row equals the bottom of the row above.
class TFloatColumn : public TColumn {
 public:
  static constexpr int kTypeId = 2;
  TFloatColumn() = default;

  int TypeId() const override { return kTypeId; }
  std::unique_ptr<TColumn> Clone() const override;

  long double Default() const { return default_; }
  void SetDefault(long double value) { default_ = value; }
  const std::string& UnitString() const { return unit_string_; }
  // Raises EConvertError for a string that gives no conversion factor.
  void SetUnitString(std::string units);
  bool TopDepth() const { return top_depth_; }
  void SetTopDepth(bool top_depth) { top_depth_ = top_depth; }

  void InsertRows(int at, int count) override;
  void DeleteRow(int row) override;
  std::string GetHeaderLine(int i) const override;  // units after the last line
  long double GetFloat(int row) const override;
  void SetFloat(int row, long double value) override;
  std::string GetText(int row) const override;  // 8 significant digits
  void SetText(int row, std::string_view text) override;
  void SetUnits(int system) override;
  int ColumnWidth(const TFontMetric& metric) const override;

 protected:
  void WriteSettings(TValueWriter& writer) const override;
  void ReadSettings(TValueReader& reader) override;

 private:
  // The bottom column of a top-depth column; raises Exception when it is not a float column.
  TFloatColumn* BottomColumn() const;
  // The top column of which this is the bottom column, or nullptr.
  TFloatColumn* TopColumn() const;
  void Store(int row, long double value);

  long double default_ = 0;
  std::string unit_string_;
  bool top_depth_ = false;
  std::vector<long double> values_;
};

class TStringColumn : public TColumn {
 public:
  static constexpr int kTypeId = 4;
  TStringColumn() = default;

  int TypeId() const override { return kTypeId; }
  std::unique_ptr<TColumn> Clone() const override;

  const std::string& Default() const { return default_; }
  void SetDefault(std::string value) { default_ = std::move(value); }
  long double WidthInches() const { return width_inches_; }
  void SetWidthInches(long double inches) { width_inches_ = inches; }

  void InsertRows(int at, int count) override;
  void DeleteRow(int row) override;
  std::string GetText(int row) const override;
  void SetText(int row, std::string_view text) override;
  int ColumnWidth(const TFontMetric& metric) const override;

 protected:
  void WriteSettings(TValueWriter& writer) const override;
  void ReadSettings(TValueReader& reader) override;

 private:
  std::string default_;
  long double width_inches_ = 0;
  std::vector<std::string> values_;
};

// The handle of one cell: table -> Cell(column, row) -> TData. Every operation goes to the
// column with the handle's row.
class TData {
 public:
  TData(TColumn& column, int row) : column_(&column), row_(row) {}

  TColumn& Column() const { return *column_; }
  int Row() const { return row_; }

  TGridTable* GetTable() const { return column_->GetTable(row_); }
  long double GetFloat() const { return column_->GetFloat(row_); }
  int GetInt() const { return column_->GetInt(row_); }
  std::string GetText() const { return column_->GetText(row_); }
  void SetFloat(long double value) const { column_->SetFloat(row_, value); }
  void SetInt(int value) const { column_->SetInt(row_, value); }

 private:
  TColumn* column_;
  int row_;
};

}  // namespace korval::components
