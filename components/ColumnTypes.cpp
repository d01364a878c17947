#include "components/ColumnTypes.hpp"

#include <algorithm>
#include <cmath>

#include "components/Errors.hpp"
#include "components/Evaluator.hpp"
#include "components/NumberFormat.hpp"
#include "components/Table.hpp"
#include "components/TableColumn.hpp"
#include "components/Units.hpp"
#include "components/ValueStream.hpp"

namespace korval::components {
namespace {

constexpr std::string_view kFloatMarker = "FLOATCOLUMN2";

int InchesToPixels(long double inches, const TFontMetric& metric) {
  return static_cast<int>(std::lround(inches * metric.PixelsPerInch()));
}

template <class T>
void InsertValues(std::vector<T>& values, int at, int count, const T& value) {
  values.insert(values.begin() + at, static_cast<std::size_t>(count), value);
}

template <class T>
void EraseValue(std::vector<T>& values, int row) {
  values.erase(values.begin() + row);
}

}  // namespace

// ---- TColumn ----

std::unique_ptr<TColumn> TColumn::CreateFromStream(int type_id, TValueReader& reader) {
  std::unique_ptr<TColumn> column;
  switch (type_id) {
    case TEnumColumn::kTypeId: column = std::make_unique<TEnumColumn>(); break;
    case TIntColumn::kTypeId: column = std::make_unique<TIntColumn>(); break;
    case TFloatColumn::kTypeId: column = std::make_unique<TFloatColumn>(); break;
    case TTableColumn::kTypeId: column = std::make_unique<TTableColumn>(); break;
    case TStringColumn::kTypeId: column = std::make_unique<TStringColumn>(); break;
    default: throw Exception("Error Column Class not defined");
  }
  column->header_ = reader.ReadStrings();
  column->visible_ = reader.ReadBoolean();
  column->row_grouped_ = reader.ReadBoolean();
  column->ReadSettings(reader);
  return column;
}

void TColumn::WriteToStream(TValueWriter& writer) const {
  writer.WriteStrings(header_);
  writer.WriteBoolean(visible_);
  writer.WriteBoolean(row_grouped_);
  WriteSettings(writer);
}

void TColumn::CopyCommonSettings(const TColumn& from) {
  header_ = from.header_;
  visible_ = from.visible_;
  row_grouped_ = from.row_grouped_;
}

void TColumn::InsertRows(int, int count) { rows_ += count; }

void TColumn::DeleteRow(int) { --rows_; }

std::string TColumn::GetHeaderLine(int i) const {
  if (i < 0 || i >= HeaderLineCount()) throw EListError("Index out of bounds");
  return header_[static_cast<std::size_t>(i)];
}

int TColumn::RowGroupSize() const { return table_ ? table_->RowGroup() : 1; }

void TColumn::CheckRow(int row) const {
  if (row < 0 || row >= rows_) throw EListError("Index out of bounds");
}

void TColumn::WrongType() { throw EInvalidCast("Data of wrong type"); }

TGridTable* TColumn::GetTable(int) const { WrongType(); }
TRowObject* TColumn::GetObject(int) const { WrongType(); }
long double TColumn::GetFloat(int) const { WrongType(); }
void TColumn::SetFloat(int, long double) { WrongType(); }
int TColumn::GetInt(int) const { WrongType(); }
void TColumn::SetInt(int, int) { WrongType(); }
std::string TColumn::GetText(int) const { return {}; }
void TColumn::SetText(int, std::string_view) {}
void TColumn::SetUnits(int) {}

void TColumn::Changed(int row) const {
  if (table_) table_->ColumnChanged(*this, row);
}

std::pair<int, int> TColumn::WrittenRows(int row) const {
  if (!row_grouped_) return {row, row + 1};
  const int group = RowGroupSize();
  const int first = group * (row / group);
  return {first, std::min(first + group, rows_)};
}

TColumn* TColumn::Neighbour(int offset) const {
  if (!table_) return nullptr;
  const int index = table_->IndexOf(*this) + offset;
  return index >= 0 && index < table_->ColumnCount() ? &table_->Column(index) : nullptr;
}

int TColumn::HeaderWidth(const TFontMetric& metric) const {
  int width = 0;
  for (int i = 0; i < HeaderLineCount(); ++i) width = std::max(width, metric.TextWidth(GetHeaderLine(i) + "  "));
  return width;
}

int TColumn::ColumnWidth(const TFontMetric& metric) const { return HeaderWidth(metric); }

// ---- TEnumColumn ----

std::unique_ptr<TColumn> TEnumColumn::Clone() const {
  auto column = std::make_unique<TEnumColumn>();
  column->CopyCommonSettings(*this);
  column->items_ = items_;
  return column;
}

void TEnumColumn::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (Table()) Table()->ItemsChanged(*this);
}

void TEnumColumn::InsertRows(int at, int count) {
  InsertValues(values_, at, count, 1);
  TColumn::InsertRows(at, count);
}

void TEnumColumn::DeleteRow(int row) {
  CheckRow(row);
  EraseValue(values_, row);
  TColumn::DeleteRow(row);
}

int TEnumColumn::GetInt(int row) const {
  CheckRow(row);
  return values_[static_cast<std::size_t>(row)];
}

void TEnumColumn::SetInt(int row, int value) {
  CheckRow(row);
  const auto [first, last] = WrittenRows(row);
  for (int r = first; r < last; ++r) {
    int& cell = values_[static_cast<std::size_t>(r)];
    if (cell == value) continue;
    cell = value;
    Changed(r);
  }
}

std::string TEnumColumn::GetText(int row) const { return std::to_string(GetInt(row)); }

void TEnumColumn::SetText(int row, std::string_view text) {
  const long double value = EvaluateEntry(text);
  if (value != std::trunc(value) || value < -2147483648.0L || value > 2147483647.0L)
    throw EAssignError("Value must be an integer.");
  SetInt(row, static_cast<int>(value));
}

int TEnumColumn::ColumnWidth(const TFontMetric& metric) const {
  return std::max(HeaderWidth(metric), InchesToPixels(1.5L, metric));
}

void TEnumColumn::WriteSettings(TValueWriter& writer) const { writer.WriteStrings(items_); }

void TEnumColumn::ReadSettings(TValueReader& reader) { items_ = reader.ReadStrings(); }

// ---- TIntColumn ----

std::unique_ptr<TColumn> TIntColumn::Clone() const {
  auto column = std::make_unique<TIntColumn>();
  column->CopyCommonSettings(*this);
  column->default_ = default_;
  column->minimum_ = minimum_;
  column->maximum_ = maximum_;
  return column;
}

void TIntColumn::InsertRows(int at, int count) {
  InsertValues(values_, at, count, default_);
  TColumn::InsertRows(at, count);
}

void TIntColumn::DeleteRow(int row) {
  CheckRow(row);
  EraseValue(values_, row);
  TColumn::DeleteRow(row);
}

int TIntColumn::GetInt(int row) const {
  CheckRow(row);
  return values_[static_cast<std::size_t>(row)];
}

void TIntColumn::SetInt(int row, int value) {
  CheckRow(row);
  const auto [first, last] = WrittenRows(row);
  for (int r = first; r < last; ++r) {
    values_[static_cast<std::size_t>(r)] = value;
    Changed(r);
  }
}

std::string TIntColumn::GetText(int row) const { return std::to_string(GetInt(row)); }

void TIntColumn::SetText(int row, std::string_view text) {
  const long double value = EvaluateEntry(text);
  const long double rounded = std::round(value);
  if (std::fabs(value - rounded) > 1e-10L) throw EAssignError("Entry must be an integer.");
  if (rounded < minimum_ || rounded > maximum_)
    throw EAssignError("Entry must be between " + std::to_string(minimum_) + " and " + std::to_string(maximum_) + ".");
  SetInt(row, static_cast<int>(rounded));
}

int TIntColumn::ColumnWidth(const TFontMetric& metric) const {
  return std::max(HeaderWidth(metric), InchesToPixels(0.5L, metric));
}

void TIntColumn::WriteSettings(TValueWriter& writer) const {
  writer.WriteInteger(default_);
  writer.WriteInteger(minimum_);
  writer.WriteInteger(maximum_);
}

void TIntColumn::ReadSettings(TValueReader& reader) {
  default_ = reader.ReadInteger();
  minimum_ = reader.ReadInteger();
  maximum_ = reader.ReadInteger();
}

// ---- TFloatColumn ----

std::unique_ptr<TColumn> TFloatColumn::Clone() const {
  auto column = std::make_unique<TFloatColumn>();
  column->CopyCommonSettings(*this);
  column->default_ = default_;
  column->unit_string_ = unit_string_;
  column->top_depth_ = top_depth_;
  return column;
}

void TFloatColumn::SetUnitString(std::string units) {
  UnitFactor(units);  // a string without a factor fails here, not when the units switch
  unit_string_ = std::move(units);
}

TFloatColumn* TFloatColumn::BottomColumn() const {
  auto* bottom = dynamic_cast<TFloatColumn*>(Neighbour(1));
  if (!bottom) throw Exception("If column if a topdepth then the next column must be a float column");
  return bottom;
}

TFloatColumn* TFloatColumn::TopColumn() const {
  auto* top = dynamic_cast<TFloatColumn*>(Neighbour(-1));
  return top && top->top_depth_ ? top : nullptr;
}

// Columns insert their rows in column order, so a bottom column is still one row shorter at
// this point while its top column already holds the new rows.
void TFloatColumn::InsertRows(int at, int count) {
  long double value = default_;
  if (top_depth_) {
    const TFloatColumn* bottom = BottomColumn();
    if (at >= 1 && at - 1 < bottom->RowCount()) value = bottom->values_[static_cast<std::size_t>(at - 1)];
  }
  if (const TFloatColumn* top = TopColumn(); top && at + count < top->RowCount())
    value = top->values_[static_cast<std::size_t>(at + count)];
  InsertValues(values_, at, count, value);
  TColumn::InsertRows(at, count);
}

void TFloatColumn::DeleteRow(int row) {
  CheckRow(row);
  if (top_depth_ && row > 0 && row < RowCount() - 1) {
    const TFloatColumn* bottom = BottomColumn();
    if (row - 1 < bottom->RowCount())
      values_[static_cast<std::size_t>(row + 1)] = bottom->values_[static_cast<std::size_t>(row - 1)];
  }
  EraseValue(values_, row);
  TColumn::DeleteRow(row);
}

std::string TFloatColumn::GetHeaderLine(int i) const {
  std::string line = TColumn::GetHeaderLine(i);
  if (i == HeaderLineCount() - 1 && !unit_string_.empty())
    line += " (" + ColumnUnitsText(unit_string_, Table() ? Table()->Units() : kEnglishUnits) + ")  ";
  return line;
}

long double TFloatColumn::GetFloat(int row) const {
  CheckRow(row);
  return values_[static_cast<std::size_t>(row)];
}

void TFloatColumn::Store(int row, long double value) {
  values_[static_cast<std::size_t>(row)] = value;
  Changed(row);
}

void TFloatColumn::SetFloat(int row, long double value) {
  CheckRow(row);
  if (RowGrouped()) {
    const auto [first, last] = WrittenRows(row);
    for (int r = first; r < last; ++r) Store(r, value);
    return;
  }
  Store(row, value);
  if (top_depth_) {
    TFloatColumn* bottom = BottomColumn();
    if (row >= 1 && row - 1 < bottom->RowCount()) bottom->Store(row - 1, value);
  }
  if (TFloatColumn* top = TopColumn(); top && row + 1 < top->RowCount()) top->Store(row + 1, value);
}

std::string TFloatColumn::GetText(int row) const { return FormatGeneral(GetFloat(row), kCellDigits); }

void TFloatColumn::SetText(int row, std::string_view text) { SetFloat(row, EvaluateEntry(text)); }

void TFloatColumn::SetUnits(int system) {
  const long double multiplier = ConversionMultiplier(Table() ? Table()->Units() : kEnglishUnits, system, unit_string_);
  for (int r = 0; r < RowCount(); ++r) Store(r, values_[static_cast<std::size_t>(r)] * multiplier);
}

int TFloatColumn::ColumnWidth(const TFontMetric& metric) const {
  return std::max(HeaderWidth(metric), InchesToPixels(0.5L, metric));
}

void TFloatColumn::WriteSettings(TValueWriter& writer) const {
  writer.WriteBoolean(top_depth_);
  writer.WriteString(kFloatMarker);
  writer.WriteString(unit_string_);
  writer.WriteExtended(default_);
}

void TFloatColumn::ReadSettings(TValueReader& reader) {
  top_depth_ = reader.ReadBoolean();
  if (reader.ReadString() != kFloatMarker) throw Exception("Column stream marker FLOATCOLUMN2 expected");
  SetUnitString(reader.ReadString());
  default_ = reader.ReadExtended();
}

// ---- TStringColumn ----

std::unique_ptr<TColumn> TStringColumn::Clone() const {
  auto column = std::make_unique<TStringColumn>();
  column->CopyCommonSettings(*this);
  column->default_ = default_;
  column->width_inches_ = width_inches_;
  return column;
}

void TStringColumn::InsertRows(int at, int count) {
  InsertValues(values_, at, count, default_);
  TColumn::InsertRows(at, count);
}

void TStringColumn::DeleteRow(int row) {
  CheckRow(row);
  EraseValue(values_, row);
  TColumn::DeleteRow(row);
}

std::string TStringColumn::GetText(int row) const {
  CheckRow(row);
  return values_[static_cast<std::size_t>(row)];
}

void TStringColumn::SetText(int row, std::string_view text) {
  CheckRow(row);
  const auto [first, last] = WrittenRows(row);
  for (int r = first; r < last; ++r) {
    values_[static_cast<std::size_t>(r)] = std::string(text);
    Changed(r);
  }
}

int TStringColumn::ColumnWidth(const TFontMetric& metric) const {
  return std::max(HeaderWidth(metric), InchesToPixels(width_inches_, metric));
}

void TStringColumn::WriteSettings(TValueWriter& writer) const {
  writer.WriteString(default_);
  writer.WriteExtended(width_inches_);
}

void TStringColumn::ReadSettings(TValueReader& reader) {
  default_ = reader.ReadString();
  width_inches_ = reader.ReadExtended();
}

}  // namespace korval::components
